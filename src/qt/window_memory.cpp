// The window's memory in QSettings.
#include "qt/window_memory.h"

#include <QFile>
#include <QSettings>
#include <QWidget>

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "settings/settings_extension.h"
#include "settings/settings_file.h"
#include "settings/settings_layout.h"

namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kFoldersKey = QStringLiteral("folders/recent");
const QString kSettingsFilesKey = QStringLiteral("recent/settingsFiles");
const QString kFontFilesKey = QStringLiteral("recent/fontFiles");
const QString kFieldsKey = QStringLiteral("fields/settings");
const QString kPreviewTextKey = QStringLiteral("fields/previewText");

// Each use opens the file anew and writes it back when done, so that every change is
// kept at once and two windows do not undo each other's lists.
QSettings Memory() {
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("glyphex"),
                   QStringLiteral("glyphex"));
}

const QString& RecentFilesKey(UsedFileKind kind) {
  return kind == UsedFileKind::kSettings ? kSettingsFilesKey : kFontFilesKey;
}

// The list at key with entry first, once, at most max long; empty entries dropped.
void PutFirst(const QString& key, const QString& entry, int max) {
  if (entry.isEmpty()) return;
  QSettings memory = Memory();
  QStringList list = memory.value(key).toStringList();
  list.removeAll(entry);
  list.removeAll(QString());
  list.prepend(entry);
  memory.setValue(key, list.mid(0, max));
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QStringList RecentFiles(UsedFileKind kind) {
  return Memory().value(RecentFilesKey(kind)).toStringList().mid(0, kMaxRecentFiles);
}

void AddRecentFile(UsedFileKind kind, const QString& path) {
  PutFirst(RecentFilesKey(kind), path, kMaxRecentFiles);
}

void ClearRecentFiles() {
  QSettings memory = Memory();
  memory.remove(kSettingsFilesKey);
  memory.remove(kFontFilesKey);
}

QStringList RecentFolders() {
  return Memory().value(kFoldersKey).toStringList().mid(0, kMaxRecentFolders);
}

void AddRecentFolder(const QString& folder) {
  PutFirst(kFoldersKey, folder, kMaxRecentFolders);
}

void RestoreWindow(QWidget& window, bool reset) {
  if (reset) return;
  const QByteArray geometry = Memory().value(kGeometryKey).toByteArray();
  if (!geometry.isEmpty()) window.restoreGeometry(geometry);  // checks what it reads
}

void RestoreFields(Dialog& dlg, bool reset) {
  if (reset) return;
  QSettings memory = Memory();
  // Bytes that cannot be a settings file with its block are not loaded at all.
  const QByteArray fields = memory.value(kFieldsKey).toByteArray();
  const auto size = static_cast<std::size_t>(fields.size());
  if (size >= kSettingsFileSize && size <= kSettingsFileSize + kMaxSettingsExtensionSize) {
    LoadSettingsFromMemory(dlg, std::string_view(fields.constData(), size));
  }
  if (memory.contains(kPreviewTextKey)) {
    SetText(dlg, kIdPreviewText, memory.value(kPreviewTextKey).toString().toStdString());
  }
}

void RememberWindow(const QWidget& window) {
  Memory().setValue(kGeometryKey, window.saveGeometry());
}

void RememberFields(Dialog& dlg) {
  const std::string fields = EncodeSettings(dlg, ReadSettingsExtension(dlg));
  QSettings memory = Memory();
  memory.setValue(kFieldsKey, QByteArray(fields.data(), static_cast<qsizetype>(fields.size())));
  memory.setValue(kPreviewTextKey, FromUtf8(ReadText(dlg, kIdPreviewText, 1 << 20)));
}
