// The main window's frame: the form that holds the controls at the template's layout,
// the scroll area around it, the status line under it, and the window's sizes.
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "dialog/control_table.h"
#include "qt/dialog_units.h"
#include "qt/main_window.h"
#include "qt/status_line.h"

namespace {

const QSize kTemplateSize(DuToPxX(kDialogWidthDu), DuToPxY(kDialogHeightDu));

// Small enough for a 1280 x 800 screen at 150 % (853 x 533 logical pixels, less a
// panel and the title bar); the scroll area holds what does not fit.
constexpr QSize kMinimumWindowSize(480, 320);

// What the window manager's frame and a panel may take from the screen's available
// area before the window is shown and its frame known.
constexpr QSize kFrameAllowance(16, 40);

}  // namespace

// The controls move from the window onto a form of at least the template's size inside
// a scroll area; the form follows the area's size beyond that (FormGrowth), and the
// status line sits under it.
void MainWindow::MakeResizable() {
  form_ = new QWidget;
  form_->setObjectName(QStringLiteral("form"));
  form_->setMinimumSize(kTemplateSize);
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->isWindow()) continue;
    const QRect place = child->geometry();
    child->setParent(form_);
    child->setGeometry(place);
  }
  for (QWidget* child : form_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    int id = 0;
    for (const auto& [controlId, widget] : controls_) {
      if (widget == child) id = controlId;
    }
    growth_.Add(child, id, child->inherits("QGroupBox"));
  }
  form_->installEventFilter(this);

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("formScrollArea"));
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  scroll_->setWidget(form_);
  statusLine_ = new StatusLine(this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(scroll_, 1);
  layout->addWidget(statusLine_);

  setMinimumSize(kMinimumWindowSize);
  if (const QScreen* screen = this->screen()) {
    const QRect available = screen->availableGeometry();
    resize(OpeningSize(available.size()));
    move(available.center() - rect().center());
  } else {
    resize(OpeningSize(kTemplateSize + QSize(0, statusLine_->sizeHint().height())));
  }
}

QSize MainWindow::MinimumWindowSize() {
  return kMinimumWindowSize;
}

QSize MainWindow::OpeningSize(QSize available) const {
  const int statusHeight = statusLine_ ? statusLine_->sizeHint().height() : 0;
  const QSize whole = kTemplateSize + QSize(0, statusHeight);
  return whole.boundedTo(available - kFrameAllowance).expandedTo(kMinimumWindowSize);
}

void MainWindow::SetStatus(const QString& text) {
  statusLine_->SetStatus(text);
}

QString MainWindow::status() const {
  return statusLine_->status();
}
