#include "shell/PropertiesDialog.h"
#include "shell/DialogButtons.h"

#include "dbfile/PdbFormat.h"
#include "document/Document.h"
#include "model/Database.h"
#include "shell/AppState.h"
#include "text/CodePage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

enum : int {
    DescriptionMaxChars = 1023,
};

// Descriptions keep their line breaks as CR LF, as the Windows editor wrote them, so that
// files made there come back byte for byte when the user changes nothing; the box shows
// them as plain line breaks.
const QString StoredLineBreak = QStringLiteral("\r\n");

QString FromAnsi(const char* bytes) {
    return QString::fromStdU16String(AnsiToWide(std::string(bytes)));
}

std::string ToAnsi(const QString& text) {
    return WideToAnsi(text.toStdU16String());
}

// Bytes one character takes in the database: a line break two (CR LF), anything else one,
// a surrogate pair included (it becomes one "?").
int StoredWeight(QChar c) {
    return c == QLatin1Char('\n') ? 2 : 1;
}

int StoredLength(const QString& text) {
    int length = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (!text.at(i).isLowSurrogate() || i == 0 || !text.at(i - 1).isHighSurrogate())
            length += StoredWeight(text.at(i));
    }
    return length;
}

// Moves index back over one character, never into the middle of a surrogate pair, and
// returns the bytes that character takes.
int StepBack(const QString& text, int& index) {
    --index;
    if (index > 0 && text.at(index).isLowSurrogate() && text.at(index - 1).isHighSurrogate())
        --index;
    return StoredWeight(text.at(index));
}

// The box's text with every kind of paragraph or line break as '\n'. Not toPlainText(),
// which also turns no-break spaces into spaces and would change the description.
QString BoxText(const QPlainTextEdit& box) {
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

// Removes text from the box between two positions of BoxText, which are document
// positions because every break is one character in both.
void RemoveRange(QPlainTextEdit& box, int start, int end) {
    QTextCursor cursor(box.document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

} // namespace

cPropertiesDialog::cPropertiesDialog(QWidget* parent)
    : QDialog(parent), name_(new QLineEdit(this)), description_(new QPlainTextEdit(this)) {
    setWindowTitle(QStringLiteral("Database Properties"));

    name_->setObjectName(QStringLiteral("nameEdit"));
    name_->setMaxLength(static_cast<int>(kPdbMaxNameLength));
    description_->setObjectName(QStringLiteral("descriptionEdit"));
    // Tab moves on to the buttons; Enter stays in the box as a new line.
    description_->setTabChangesFocus(true);
    description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("Name:"), this);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name_, 1);
    layout->addLayout(nameRow);
    layout->addWidget(new QLabel(QStringLiteral("Description:"), this));
    layout->addWidget(description_, 1);

    auto [ok, cancel] = AddOkCancelRow(*this, *layout);

    setTabOrder(name_, description_);
    setTabOrder(description_, ok);
    setTabOrder(ok, cancel);

    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { reject(); });
    // Connected before filling, so that an over-long description from a file is cut too.
    connect(description_, &QPlainTextEdit::textChanged, this, [this] { limitDescription(); });

    const cDatabase& db = CurrentDocument().database();
    initialName_ = db.name.textOrEmpty();
    initialDescription_ = db.description.textOrEmpty();
    name_->setText(FromAnsi(initialName_.c_str()));
    QString description = FromAnsi(initialDescription_.c_str());
    description.replace(StoredLineBreak, QStringLiteral("\n"));
    description_->setPlainText(description);
    name_->setFocus();
}

void cPropertiesDialog::accept() {
    QString description = BoxText(*description_);
    description.replace(QLatin1Char('\n'), StoredLineBreak);
    const std::string name = ToAnsi(name_->text());
    const std::string storedDescription = ToAnsi(description);

    if (name != initialName_ || storedDescription != initialDescription_)
        CurrentDocument().setProperties(name.c_str(), storedDescription.c_str());
    done(DialogOk);
}

void cPropertiesDialog::reject() {
    done(DialogCancelled);
}

void cPropertiesDialog::limitDescription() {
    if (limiting_)
        return;
    QString text = BoxText(*description_);
    int excess = StoredLength(text) - DescriptionMaxChars;
    if (excess <= 0)
        return;
    limiting_ = true;

    // What was typed or pasted last ends at the cursor: take it back first.
    const int end = description_->textCursor().position();
    int start = end;
    while (excess > 0 && start > 0)
        excess -= StepBack(text, start);
    if (start < end)
        RemoveRange(*description_, start, end);

    // Text that was too long before the cursor came (filled from a file): cut its end.
    if (excess > 0) {
        text = BoxText(*description_);
        int cut = text.size();
        while (excess > 0 && cut > 0)
            excess -= StepBack(text, cut);
        RemoveRange(*description_, cut, text.size());
    }
    limiting_ = false;
}
