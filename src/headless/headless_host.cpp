// The in-memory dialog host.
#include "headless/headless_host.h"

#include <algorithm>

#include "dialog/control_table.h"
#include "dialog/dialog_fields.h"
#include "text/case_fold.h"

HeadlessHost::HeadlessHost() {
  for (const ControlDef& def : ControlTable()) {
    ControlRecord& record = controls_[def.id];
    record.text = std::string(def.defaultText);
    record.checked = def.checkedAtStart;
    record.enabled = def.enabledAtStart;
  }
}

ControlRecord* HeadlessHost::Find(int id) {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

std::string HeadlessHost::Text(int id) {
  if (id == kIdFontList) return fontSelection_ >= 0 ? fontList_[fontSelection_] : std::string();
  const ControlRecord* record = Find(id);
  return record ? record->text : std::string();
}

void HeadlessHost::SetText(int id, std::string_view text) {
  ControlRecord* record = Find(id);
  if (!record) return;
  record->text = std::string(text);
  // Edits tell their dialog when their text changes, also when a program sets it.
  const ControlDef* def = FindControl(id);
  switch (def->kind) {
    case ControlKind::kEdit:
    case ControlKind::kDigitsEdit:
    case ControlKind::kMultilineEdit:
    case ControlKind::kReadOnlyLog:
    case ControlKind::kCharMapList:
      Notify(id, kNotifyTextChange);
      break;
    default:
      break;
  }
}

bool HeadlessHost::Checked(int id) {
  const ControlRecord* record = Find(id);
  return record && record->checked;
}

void HeadlessHost::SetChecked(int id, bool checked) {
  if (ControlRecord* record = Find(id)) record->checked = checked;
}

bool HeadlessHost::Enabled(int id) {
  const ControlRecord* record = Find(id);
  return record && record->enabled;
}

void HeadlessHost::SetEnabled(int id, bool enabled) {
  if (ControlRecord* record = Find(id)) record->enabled = enabled;
}

int HeadlessHost::ListCount() {
  return static_cast<int>(fontList_.size());
}
int HeadlessHost::ListSelection() {
  return fontSelection_;
}

std::string HeadlessHost::ListEntry(int index) {
  if (index < 0 || index >= ListCount()) return {};
  return fontList_[index];
}

void HeadlessHost::ListSelect(int index) {
  fontSelection_ = index >= 0 && index < ListCount() ? index : -1;
}

void HeadlessHost::ListAdd(std::string_view text) {
  auto at = std::upper_bound(
      fontList_.begin(), fontList_.end(), text,
      [](std::string_view a, const std::string& b) { return CompareIgnoringCase(a, b) < 0; });
  const int index = static_cast<int>(at - fontList_.begin());
  fontList_.insert(at, std::string(text));
  if (fontSelection_ >= index) ++fontSelection_;
}

void HeadlessHost::ListClear() {
  fontList_.clear();
  fontSelection_ = -1;
}

void HeadlessHost::MessageBox(std::string_view text, std::string_view title, MessageIcon icon) {
  messages_.push_back({std::string(text), std::string(title), icon});
}

namespace {

template <typename T>
std::optional<T> Pop(std::deque<std::optional<T>>& answers) {
  if (answers.empty()) return std::nullopt;
  std::optional<T> answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

std::optional<std::string> HeadlessHost::AskSaveFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  return Pop(saveFileAnswers);
}

std::optional<std::string> HeadlessHost::AskOpenFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  return Pop(openFileAnswers);
}

std::optional<std::string> HeadlessHost::AskFolder(std::string_view title) {
  folderRequests.emplace_back(title);
  return Pop(folderAnswers);
}

std::optional<Rgb> HeadlessHost::AskColor(Rgb initial, std::array<std::uint32_t, 16>&) {
  colorRequests.push_back(initial);
  return Pop(colorAnswers);
}

void HeadlessHost::DispatchPendingMessages() {
  for (; pendingTicks > 0; --pendingTicks) Send(DialogMessage::kTimer);
}

void HeadlessHost::Click(int id) {
  const ControlDef* def = FindControl(id);
  if (!def) return;
  if (def->kind == ControlKind::kRadioButton) {
    for (int member : RadioGroupMembers(def->radioGroup)) SetChecked(member, member == id);
  } else if (def->kind == ControlKind::kCheckBox || def->kind == ControlKind::kPushLikeCheck) {
    SetChecked(id, !Checked(id));
  }
  Notify(id, kNotifyClicked);
}

void HeadlessHost::UserSelectFont(int index) {
  ListSelect(index);
  Notify(kIdFontList, kNotifySelChange);
}
