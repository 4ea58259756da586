#include "shell/FileDrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QObject>
#include <QUrl>
#include <QWidget>

#include "shell/FileCommands.h"
#include "shell/FileDialogs.h"

namespace {

// The one local file a drag carries; empty for anything else.
QString DraggedFile(const QMimeData* data) {
    if (data == nullptr || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return QString();
    return data->urls().front().toLocalFile();
}

class cFileDropFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (DraggedFile(drag->mimeData()).isEmpty())
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString file = DraggedFile(drop->mimeData());
            if (file.isEmpty())
                return false;
            drop->acceptProposedAction();
            // The drag source waits for the drop to end; the save prompt and the messages
            // come after it, from the event loop.
            QMetaObject::invokeMethod(
                this, [file] { OpenFileCommand(PathFromDialog(file)); }, Qt::QueuedConnection);
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }
};

} // namespace

void AcceptFileDrops(QWidget& window) {
    window.setAcceptDrops(true);
    window.installEventFilter(new cFileDropFilter(&window));
}
