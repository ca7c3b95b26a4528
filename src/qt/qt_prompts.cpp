// The prompts as Qt's own dialogs.
#include "qt/prompts.h"

#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>

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

// A save or open dialog with the request's filters ("NAME (PATTERN)", the first one
// preselected) and default suffix.
std::optional<std::string> AskFile(QWidget* parent, const FileDialogRequest& request,
                                   QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, FromView(request.title));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    filters << QStringLiteral("%1 (%2)").arg(FromView(filter.name), FromView(filter.pattern));
  }
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  QString suffix = FromView(request.defaultExtension);
  if (suffix.startsWith(u'.')) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return LocalPath(dialog.selectedFiles().first());
}

std::optional<std::string> AskFolder(QWidget* parent, std::string_view title) {
  const QString folder = QFileDialog::getExistingDirectory(parent, FromView(title));
  if (folder.isEmpty()) return std::nullopt;
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
  return prompts;
}
