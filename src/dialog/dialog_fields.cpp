// Field access with the conversions the operations rely on.
#include "dialog/dialog_fields.h"

#include <climits>
#include <cstdio>

#include "text/case_fold.h"
#include "text/windows1252.h"

std::string ReadText(Dialog& dlg, int id, int bufferLength) {
  if (bufferLength <= 0) return {};
  const std::string text = dlg.host.Text(id);
  return std::string(CutUtf8(text, static_cast<std::size_t>(bufferLength - 1)));
}

int ParseLikeAtoi(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int ReadInt(Dialog& dlg, int id) {
  return ParseLikeAtoi(ReadText(dlg, id, kDefaultTextBuffer));
}

void SetText(Dialog& dlg, int id, std::string_view text) {
  dlg.host.SetText(id, text);
}

void SetInt(Dialog& dlg, int id, int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", value);
  dlg.host.SetText(id, buffer);
}

bool IsChecked(Dialog& dlg, int id) {
  return dlg.host.Checked(id);
}
void SetChecked(Dialog& dlg, int id, bool checked) {
  dlg.host.SetChecked(id, checked);
}
void Enable(Dialog& dlg, int id, bool enabled) {
  dlg.host.SetEnabled(id, enabled);
}

int FontListCount(Dialog& dlg) {
  return dlg.host.ListCount();
}
int FontListSelection(Dialog& dlg) {
  return dlg.host.ListSelection();
}
std::string FontListEntry(Dialog& dlg, int index) {
  return dlg.host.ListEntry(index);
}
void FontListSelect(Dialog& dlg, int index) {
  dlg.host.ListSelect(index);
}

int FontListFindPrefix(Dialog& dlg, std::string_view prefix) {
  const int count = dlg.host.ListCount();
  for (int i = 0; i < count; ++i) {
    if (StartsWithIgnoringCase(dlg.host.ListEntry(i), prefix)) return i;
  }
  return -1;
}

int FontListSelectPrefix(Dialog& dlg, std::string_view prefix) {
  const int index = FontListFindPrefix(dlg, prefix);
  if (index < 0) return 1;
  dlg.host.ListSelect(index);
  return 0;
}
