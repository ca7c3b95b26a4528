// The program in its window as its entry point builds it, with prompts that record
// what they were asked and answer from queues: the fixture of the window's command tests.
#pragma once

#include <QRadioButton>
#include <QTest>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "app/dialog_proc.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"
#include "preview/preview_state.h"
#include "preview/sample_text.h"
#include "qt/main_window.h"
#include "qt/qt_dialog_host.h"

struct ShownMessage {
  std::string text, title;
};

// Prompts that record what they were asked and answer from queues; an empty queue
// answers "cancelled".
struct ScriptedPrompts {
  std::vector<ShownMessage> messages;
  std::vector<FileDialogRequest> saveRequests, openRequests;
  std::vector<std::string> folderTitles;
  std::vector<Rgb> colorRequests;
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<Rgb>> colorAnswers;
  std::vector<std::string> textRequests;  // the text each line prompt started from
  std::deque<std::optional<std::string>> textAnswers;

  PromptProvider Provider() {
    PromptProvider p;
    p.messageBox = [this](QWidget*, std::string_view text, std::string_view title, MessageIcon) {
      messages.push_back({std::string(text), std::string(title)});
    };
    p.askSaveFile = [this](QWidget*, const FileDialogRequest& request) {
      saveRequests.push_back(request);
      return std::optional<std::string>();
    };
    p.askOpenFile = [this](QWidget*, const FileDialogRequest& request) {
      openRequests.push_back(request);
      return Pop(openAnswers);
    };
    p.askFolder = [this](QWidget*, std::string_view title) {
      folderTitles.emplace_back(title);
      return std::optional<std::string>();
    };
    p.askColor = [this](QWidget*, Rgb initial, std::array<std::uint32_t, 16>&) {
      colorRequests.push_back(initial);
      return Pop(colorAnswers);
    };
    p.askText = [this](QWidget*, std::string_view, std::string_view, std::string_view initial) {
      textRequests.emplace_back(initial);
      return Pop(textAnswers);
    };
    return p;
  }

  template <typename T>
  static std::optional<T> Pop(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<T> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// The program as its entry point builds it, with the preview back at zoom 1 and home
// (the program's one preview outlives each test).
struct Session {
  ScriptedPrompts prompts;
  MainWindow window;
  QtDialogHost host{window, prompts.Provider()};
  Dialog dlg{host};

  Session() {
    PreviewState& preview = Preview();
    preview.zoomFactor = 1;
    preview.panX = preview.panY = 0.0f;
    preview.drag = {};
    StartDialog(dlg);
  }
  ~Session() { DeletePreviewCanvas(Preview()); }

  void Show() {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
  }

  // A user's click: radio buttons on their indicator, push buttons in the middle.
  void Click(int id) {
    QWidget* widget = window.Control(id);
    const bool indicator = qobject_cast<QRadioButton*>(widget) != nullptr;
    QTest::mouseClick(widget, Qt::LeftButton, {},
                      indicator ? QPoint(6, widget->height() / 2) : widget->rect().center());
  }

  // Selects a face without a notification, as a program does; the timer or the next
  // redraw picks it up.
  bool SelectFace(const std::string& face) {
    for (int i = 0; i < host.ListCount(); ++i) {
      if (host.ListEntry(i) == face) {
        host.ListSelect(i);
        return true;
      }
    }
    return false;
  }

  std::string Log() { return host.Text(kIdLog); }

  // The font sample as the fields draw it now, on a canvas of its own.
  std::vector<std::uint32_t> SampleNow() {
    PreviewState reference;
    CreatePreviewCanvas(reference);
    DrawSampleText(dlg, reference);
    return reference.canvas.pixels;
  }
};
