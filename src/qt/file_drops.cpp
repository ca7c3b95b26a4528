// File drops on the window.
#include "qt/file_drops.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "options/control_ids.h"
#include "qt/main_window.h"

namespace {

// The local files a drag carries; none when it carries anything else as well.
QStringList DroppedFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile() || url.toLocalFile().isEmpty()) return {};
    files << url.toLocalFile();
  }
  return files;
}

class FileDropFilter : public QObject {
 public:
  explicit FileDropFilter(MainWindow& window) : QObject(&window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (DroppedFiles(drag->mimeData()).isEmpty()) break;
        drag->acceptProposedAction();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = DroppedFiles(drop->mimeData());
        if (files.isEmpty()) break;
        drop->acceptProposedAction();
        for (const QString& file : files) {
          emit window_.openFileRequested(CommandForDroppedFile(file), file);
        }
        return true;
      }
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  MainWindow& window_;
};

}  // namespace

void AcceptFileDrops(MainWindow& window) {
  auto* filter = new FileDropFilter(window);
  window.setAcceptDrops(true);
  window.installEventFilter(filter);
  for (QWidget* widget : window.findChildren<QWidget*>()) widget->installEventFilter(filter);
}

int CommandForDroppedFile(const QString& path) {
  return path.endsWith(QStringLiteral(".ini"), Qt::CaseInsensitive) ? kIdLoadSettings
                                                                    : kIdOpenFontFile;
}
