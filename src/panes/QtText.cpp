#include "panes/QtText.h"

#include "model/String.h"
#include "model/Value.h"
#include "text/CodePage.h"
#include "text/StringTable.h"

QString AnsiToQString(const char* text) {
    if (!text)
        return QString();
    return QString::fromStdU16String(AnsiToWide(std::string(text)));
}

QString AnsiToQString(const cString& text) {
    return AnsiToQString(text.text());
}

std::string QStringToAnsi(const QString& text) {
    return WideToAnsi(text.toStdU16String());
}

QString TableText(int id) {
    return AnsiToQString(ResourceString(id).c_str());
}

QString ValueToQString(const cValue* value) {
    if (!value)
        return QString();
    if (value->mediaType() == MediaTypeUnicode) {
        const auto* unicode = static_cast<const cUnicodeValue*>(value);
        if (!unicode->text())
            return QString();
        return QString::fromUtf16(unicode->text(), static_cast<qsizetype>(unicode->length()));
    }
    return AnsiToQString(static_cast<const cAsciiValue*>(value)->text);
}
