// The prompts of the window (message boxes, file, folder and color choosers, a line of
// text) behind
// swappable functions: QtPrompts() shows the real dialogs, and tests put scripted
// answers in their place. Texts and paths are UTF-8.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "dialog/dialog_host.h"

class QWidget;

struct PromptProvider {
  // Every function gets the window that the prompt is modal to. An empty function
  // shows nothing and answers "cancelled".
  std::function<void(QWidget* parent, std::string_view text, std::string_view title,
                     MessageIcon icon)>
      messageBox;
  std::function<std::optional<std::string>(QWidget* parent, const FileDialogRequest& request)>
      askSaveFile;
  std::function<std::optional<std::string>(QWidget* parent, const FileDialogRequest& request)>
      askOpenFile;
  std::function<std::optional<std::string>(QWidget* parent, std::string_view title)> askFolder;
  // custom: the 16 custom colors as 0x00BBGGRR, shown and given back.
  std::function<std::optional<Rgb>(QWidget* parent, Rgb initial,
                                   std::array<std::uint32_t, 16>& custom)>
      askColor;
  std::function<std::optional<std::string>(QWidget* parent, std::string_view title,
                                           std::string_view label, std::string_view initial)>
      askText;
};

// QMessageBox, QFileDialog, QColorDialog and QInputDialog. The file and folder dialogs share a
// memory that outlives the run (window_memory.h): each opens in the folder the last
// accepted one used (at first the current working directory) and lists the folders
// used before it.
PromptProvider QtPrompts();
