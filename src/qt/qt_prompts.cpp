// The prompts as Qt's own dialogs.
#include "qt/prompts.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

#include "qt/window_memory.h"

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

void ShowMessageBox(QWidget* parent, std::string_view text, std::string_view title,
                    MessageIcon icon) {
  QMessageBox::Icon qtIcon = QMessageBox::Warning;
  switch (icon) {
    case MessageIcon::kWarning:
      qtIcon = QMessageBox::Warning;
      break;
    case MessageIcon::kQuestion:
      qtIcon = QMessageBox::Question;
      break;
    case MessageIcon::kInformation:
      qtIcon = QMessageBox::Information;
      break;
  }
  QMessageBox box(qtIcon, FromView(title), FromView(text), QMessageBox::Ok, parent);
  box.exec();
}

// The folder the file and folder dialogs open in: the one accepted last, in this run or
// an earlier one; at first the current working directory.
QString StartFolder() {
  const QStringList folders = RecentFolders();
  return folders.isEmpty() ? QDir::currentPath() : folders.first();
}

// The extension a name typed without one gets: that of the selected filter when it
// names a single extension ("*.png"), else the request's default extension.
QString SuffixFor(const FileDialogRequest& request, qsizetype filterIndex) {
  if (filterIndex >= 0 && filterIndex < static_cast<qsizetype>(request.filters.size())) {
    const QString pattern = FromView(request.filters[filterIndex].pattern);
    static const QRegularExpression single(QStringLiteral("^\\*\\.([A-Za-z0-9_]+)$"));
    const QRegularExpressionMatch match = single.match(pattern);
    if (match.hasMatch()) return match.captured(1);
  }
  QString suffix = FromView(request.defaultExtension);
  if (suffix.startsWith(u'.')) suffix.remove(0, 1);
  return suffix;
}

// A save or open dialog with the request's filters ("NAME (PATTERN)", the first one
// preselected). Both take any typed name: an open dialog that refused a missing file
// would hide the load's own message about it. Qt's own dialog does that in open mode;
// the desktops' native open choosers insist on an existing file, so they are not used.
std::optional<std::string> AskFile(QWidget* parent, const FileDialogRequest& request,
                                   QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, FromView(request.title), StartFolder());
  dialog.setHistory(RecentFolders());  // the folders used before, in its "Look in" list
  dialog.setAcceptMode(mode);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (mode == QFileDialog::AcceptOpen) dialog.setOption(QFileDialog::DontUseNativeDialog);
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    filters << QStringLiteral("%1 (%2)").arg(FromView(filter.name), FromView(filter.pattern));
  }
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  dialog.setDefaultSuffix(SuffixFor(request, 0));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog, &request, &filters](const QString& filter) {
                     dialog.setDefaultSuffix(SuffixFor(request, filters.indexOf(filter)));
                   });
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().first();
  AddRecentFolder(QFileInfo(chosen).absolutePath());
  return LocalPath(chosen);
}

std::optional<std::string> AskFolder(QWidget* parent, std::string_view title) {
  const QString folder = QFileDialog::getExistingDirectory(parent, FromView(title), StartFolder());
  if (folder.isEmpty()) return std::nullopt;
  AddRecentFolder(folder);
  return LocalPath(folder);
}

QColor FromColorRef(std::uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

std::uint32_t ToColorRef(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) | static_cast<std::uint32_t>(color.green()) << 8 |
         static_cast<std::uint32_t>(color.blue()) << 16;
}

// The custom colors are shared by every color dialog of the process; they are set
// from the dialog's table before and read back after, so the table stays the owner.
std::optional<Rgb> AskColor(QWidget* parent, Rgb initial, std::array<std::uint32_t, 16>& custom) {
  const int shared = std::min<int>(QColorDialog::customCount(), static_cast<int>(custom.size()));
  for (int i = 0; i < shared; ++i) QColorDialog::setCustomColor(i, FromColorRef(custom[i]));
  const QColor chosen = QColorDialog::getColor(
      QColor(initial.red & 0xFF, initial.green & 0xFF, initial.blue & 0xFF), parent);
  for (int i = 0; i < shared; ++i) custom[i] = ToColorRef(QColorDialog::customColor(i));
  if (!chosen.isValid()) return std::nullopt;
  return Rgb{chosen.red(), chosen.green(), chosen.blue()};
}

std::optional<std::string> AskText(QWidget* parent, std::string_view title, std::string_view label,
                                   std::string_view initial) {
  bool accepted = false;
  const QString text = QInputDialog::getText(parent, FromView(title), FromView(label),
                                             QLineEdit::Normal, FromView(initial), &accepted);
  if (!accepted) return std::nullopt;
  return text.toStdString();
}

}  // namespace

PromptProvider QtPrompts() {
  PromptProvider prompts;
  prompts.messageBox = ShowMessageBox;
  prompts.askSaveFile = [](QWidget* parent, const FileDialogRequest& request) {
    return AskFile(parent, request, QFileDialog::AcceptSave);
  };
  prompts.askOpenFile = [](QWidget* parent, const FileDialogRequest& request) {
    return AskFile(parent, request, QFileDialog::AcceptOpen);
  };
  prompts.askFolder = AskFolder;
  prompts.askColor = AskColor;
  prompts.askText = AskText;
  return prompts;
}
