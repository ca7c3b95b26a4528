// The whole program in its window on the offscreen platform: clicks on the real
// buttons reach their commands, seen through what they ask and what they change, and
// the Preview area paints exactly the magnified, panned canvas.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/dialog_proc.h"
#include "dialog/control_table.h"
#include "dialog/dialog_fields.h"
#include "dialog/layout_fields.h"
#include "options/control_ids.h"
#include "preview/canvas_view.h"
#include "preview/pan_drag.h"
#include "preview/preview_state.h"
#include "preview/sample_text.h"
#include "qt/charmap_list.h"
#include "qt/main_window.h"
#include "qt/preview_widget.h"
#include "qt/qt_dialog_host.h"
#include "scripted_session.h"

namespace {

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

class CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  // Every push button of the control table, clicked in the window, runs its command.
  void everyPushButtonReachesItsCommand() {
    const std::set<int> covered = {kIdSaveBitmap,    kIdSaveAll,      kIdAutosizeProportional,
                                   kIdAutosizeFull,  kIdSaveSettings, kIdLoadSettings,
                                   kIdBrowseTexture, kIdChooseBg,     kIdChooseTop,
                                   kIdChooseSub,     kIdImagePreview, kIdExit,
                                   kIdOpenFontFile};
    std::set<int> pushButtons;
    for (const ControlDef& def : ControlTable()) {
      if (def.kind == ControlKind::kPushButton) pushButtons.insert(def.id);
    }
    QVERIFY(pushButtons == covered);

    Session s;
    s.Show();
    QVERIFY(s.SelectFace("DejaVu Sans"));
    ScriptedPrompts& p = s.prompts;

    s.Click(kIdSaveBitmap);
    QCOMPARE(p.saveRequests.size(), size_t{1});
    QCOMPARE(p.saveRequests.back().title, std::string("Save bitmap"));

    s.Click(kIdSaveAll);
    QCOMPARE(p.folderTitles, std::vector<std::string>{"Select the output folder"});

    // Each chooser opens at its fields' start-up color and writes into them alone.
    struct Chooser {
      int button, first;
      Rgb initial, answer;
    };
    const Chooser choosers[] = {{kIdChooseBg, kIdBgRed, {255, 0, 255}, {1, 2, 3}},
                                {kIdChooseTop, kIdTopRed, {255, 255, 255}, {4, 5, 6}},
                                {kIdChooseSub, kIdSubRed, {255, 255, 255}, {7, 8, 9}}};
    for (const Chooser& c : choosers) {
      p.colorAnswers.push_back(c.answer);
      s.Click(c.button);
      QVERIFY(!p.colorRequests.empty());
      const Rgb asked = p.colorRequests.back();
      QCOMPARE(std::tuple(asked.red, asked.green, asked.blue),
               std::tuple(c.initial.red, c.initial.green, c.initial.blue));
      QCOMPARE(s.host.Text(c.first), std::to_string(c.answer.red));
      QCOMPARE(s.host.Text(c.first + 1), std::to_string(c.answer.green));
      QCOMPARE(s.host.Text(c.first + 2), std::to_string(c.answer.blue));
    }
    QCOMPARE(p.colorRequests.size(), size_t{3});

    s.Click(kIdAutosizeProportional);
    QVERIFY2(StartsWith(s.Log(), "Autosize (proportional):"), s.Log().c_str());
    s.Click(kIdAutosizeFull);
    QVERIFY2(StartsWith(s.Log(), "Autosize (full):"), s.Log().c_str());

    s.Click(kIdSaveSettings);
    QCOMPARE(p.saveRequests.size(), size_t{2});
    QCOMPARE(p.saveRequests.back().title, std::string("Save settings"));
    s.Click(kIdLoadSettings);
    QCOMPARE(p.openRequests.size(), size_t{1});
    QCOMPARE(p.openRequests.back().title, std::string("Load settings"));

    s.Click(kIdImagePreview);
    QVERIFY(!s.host.Checked(kIdFontPreview));
    QVERIFY2(StartsWith(s.Log(), "Too wide characters:\r\n"), s.Log().c_str());

    QVERIFY(!s.host.Enabled(kIdBrowseTexture));
    s.Click(kIdColorImageOnly);
    QVERIFY(s.host.Enabled(kIdBrowseTexture));
    p.openAnswers.push_back("/some/folder/texture.bmp");
    s.Click(kIdBrowseTexture);
    QCOMPARE(p.openRequests.size(), size_t{2});
    QCOMPARE(p.openRequests.back().title, std::string("Choose Image"));
    QCOMPARE(s.host.Text(kIdTexturePath), std::string("/some/folder/texture.bmp"));

    // Cancelled: the list keeps its selection.
    s.Click(kIdOpenFontFile);
    QCOMPARE(p.openRequests.size(), size_t{3});
    QCOMPARE(p.openRequests.back().title, std::string("Open font file"));
    QCOMPARE(s.host.ListEntry(s.host.ListSelection()), std::string("DejaVu Sans"));

    for (const ShownMessage& m : p.messages) qWarning("message: %s", m.text.c_str());
    QVERIFY(p.messages.empty());

    s.Click(kIdExit);
    QCOMPARE(s.window.endResult(), std::optional<int>(0));
    QVERIFY(!s.host.previewTimerRunning());
  }

  // "Font Preview" brings the sample back over the sheet; the zoom buttons set the
  // zoom without redrawing the canvas.
  void fontPreviewAndZoomButtons() {
    Session s;
    s.Show();
    QVERIFY(s.SelectFace("DejaVu Sans"));
    s.Click(kIdImagePreview);
    QVERIFY(!s.host.Checked(kIdFontPreview));
    const std::vector<std::uint32_t> sheet = Preview().canvas.pixels;
    QVERIFY(sheet != s.SampleNow());

    const std::pair<int, int> zooms[] = {{kIdZoom2, 2}, {kIdZoom4, 4}, {kIdZoom1, 1}};
    for (auto [button, zoom] : zooms) {
      s.Click(button);
      QVERIFY(s.host.Checked(button));
      QCOMPARE(Preview().zoomFactor, zoom);
      QVERIFY(Preview().canvas.pixels == sheet);
    }

    s.Click(kIdFontPreview);
    QVERIFY(s.host.Checked(kIdFontPreview));
    QVERIFY(Preview().canvas.pixels == s.SampleNow());
  }

  // What the Preview area shows, pixel for pixel, is the canvas view at the zoom and
  // pan the dialog left.
  void previewShowsTheZoomedPannedCanvas() {
    Session s;
    s.Show();
    QVERIFY(s.SelectFace("DejaVu Sans"));
    s.Click(kIdZoom4);
    s.Click(kIdImagePreview);
    QCOMPARE(Preview().zoomFactor, 4);
    Preview().panX = 37.75f;
    Preview().panY = 20.5f;
    ClampPan(s.dlg);
    QCOMPARE(Preview().panX, 37.75f);  // inside the canvas: kept
    s.host.RepaintPreview();

    PreviewWidget* widget = s.window.Preview();
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::vector<std::uint32_t> expected;
    RenderCanvasView(Preview(), widget->width(), widget->height(), expected);
    QCOMPARE(shown.size(), QSize(369, 185));
    // The view holds the sheet's background, its letters and the black below it.
    QVERIFY(std::set<std::uint32_t>(expected.begin(), expected.end()).size() >= 3);
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const std::uint32_t want = expected[static_cast<std::size_t>(y) * shown.width() + x];
        if ((shown.pixel(x, y) & 0xFFFFFFu) != want) ++differing;
      }
    }
    QCOMPARE(differing, 0);
  }

  // At every zoom the visible part of the canvas fills the whole 369 x 185 area, as a
  // stretch of it onto the area does: each canvas pixel as a block of at least zoom
  // pixels, every visible column and row shown, in order, none black.
  void previewFillsTheAreaAtEveryZoom() {
    Session s;
    s.Show();
    s.host.SetChecked(kIdFontPreview, false);  // no sample drawn over the pattern
    // Each canvas pixel tells where it comes from; bit 23 marks it as not black.
    std::vector<std::uint32_t>& canvas = Preview().canvas.pixels;
    for (int y = 0; y < kCanvasHeight; ++y)
      for (int x = 0; x < kCanvasWidth; ++x)
        canvas[static_cast<std::size_t>(y) * kCanvasWidth + x] = 0x800000u | y << 12 | x;
    struct Row {
      int zoom;
      float panX, panY;
    };
    // 369 / 4 = 92 and 185 / 4 = 46 visible pixels: 420 and 139 are the largest offsets.
    const Row rows[] = {{1, 0, 0}, {2, 10.7f, 3.2f}, {4, 0, 0}, {4, 420, 139}};
    for (const Row& row : rows) {
      const QString where =
          QStringLiteral("zoom %1 at %2,%3").arg(row.zoom).arg(row.panX).arg(row.panY);
      Preview().zoomFactor = row.zoom;
      Preview().panX = row.panX;
      Preview().panY = row.panY;
      s.host.RepaintPreview();
      const QImage shown = s.window.Preview()->grab().toImage();
      QCOMPARE(shown.size(), QSize(369, 185));
      // The canvas column of each area column, from the top row, and row from the left.
      std::vector<int> columnOf(369), rowOf(185);
      bool marked = true;
      for (int x = 0; x < 369; ++x) {
        columnOf[x] = static_cast<int>(shown.pixel(x, 0) & 0xFFF);
        marked &= (shown.pixel(x, 0) & 0x800000u) != 0;
      }
      for (int y = 0; y < 185; ++y) {
        rowOf[y] = static_cast<int>(shown.pixel(0, y) >> 12 & 0xFF);
        marked &= (shown.pixel(0, y) & 0x800000u) != 0;
      }
      QVERIFY2(marked, qPrintable(where));
      int wrong = 0;
      for (int y = 0; y < 185; ++y)
        for (int x = 0; x < 369; ++x)
          wrong += (shown.pixel(x, y) & 0xFFFFFFu) != (0x800000u | rowOf[y] << 12 | columnOf[x]);
      QVERIFY2(wrong == 0, qPrintable(where));
      auto stretched = [&](const std::vector<int>& map, int first, int visible) {
        if (map.front() != first || map.back() != first + visible - 1) return false;
        int run = 1;
        for (std::size_t i = 1; i <= map.size(); ++i) {
          if (i < map.size() && map[i] == map[i - 1]) {
            ++run;
            continue;
          }
          if (run < row.zoom) return false;                              // a block cut short
          if (i < map.size() && map[i] != map[i - 1] + 1) return false;  // skipped or back
          run = 1;
        }
        return true;
      };
      QVERIFY2(stretched(columnOf, static_cast<int>(row.panX), 369 / row.zoom), qPrintable(where));
      QVERIFY2(stretched(rowOf, static_cast<int>(row.panY), 185 / row.zoom), qPrintable(where));
    }
  }

  // What the user picks and types in the "Layout" group is what the dialog reads; "From
  // file ..." asks for a file and keeps the map in use when cancelled.
  void layoutGroupReachesTheDialogFields() {
    Session s;
    s.Show();
    auto* list = qobject_cast<CharMapList*>(s.window.Control(kIdCharMap));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);  // from "Windows-1252" to the next entry
    QCOMPARE(list->currentText(), QStringLiteral("Code page 437"));
    QCOMPARE(s.host.Text(kIdCharMap), std::string("cp437"));
    const std::pair<int, const char*> typed[] = {
        {kIdGridColumns, "16"}, {kIdGridRows, "16"}, {kIdCellWidth, "8"}, {kIdCellHeight, "12"}};
    for (auto [id, text] : typed) {
      auto* edit = static_cast<QLineEdit*>(s.window.Control(id));
      edit->clear();
      QTest::keyClicks(edit, text);
    }
    const Result<CharMapChoice> choice = ReadCharMapField(s.dlg);
    const Result<Grid> grid = ReadGridFields(s.dlg);
    const Result<CellSize> cell = ReadCellFields(s.dlg);
    QVERIFY(choice && grid && cell);
    QVERIFY(choice->kind == CharMapKind::kCp437);
    QCOMPARE(std::make_pair(grid->columns, grid->rows), std::make_pair(16, 16));
    QCOMPARE(std::make_pair(cell->widthPx, cell->heightPx), std::make_pair(8, 12));

    QTemporaryDir dir;
    const std::string mine = dir.filePath(QStringLiteral("mine.txt")).toStdString();
    std::ofstream(mine) << "a b c\n";
    s.prompts.openAnswers = {std::nullopt, mine};
    QTest::keyClick(list, Qt::Key_End);  // "From file ...", then chosen and cancelled
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.prompts.openRequests.size(), std::size_t{1});
    QCOMPARE(s.host.Text(kIdCharMap), std::string("cp437"));
    QCOMPARE(list->currentText(), QStringLiteral("Code page 437"));
    QTest::keyClick(list, Qt::Key_End);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(s.host.Text(kIdCharMap), mine);
    QCOMPARE(list->currentText(), QStringLiteral("mine.txt"));
    s.host.SetText(kIdCharMap, "tcod");
    QCOMPARE(list->currentText(), QStringLiteral("TCOD"));
  }

  // "Grid" draws the cell lines of the default sheet (8-px cells, 256 x 64) over the
  // image preview; hovering names the cell, leaving the area clears the name.
  void gridAndHoverOverTheImagePreview() {
    Session s;
    s.Show();
    QVERIFY(s.SelectFace("DejaVu Sans"));
    s.Click(kIdImagePreview);
    PreviewWidget* widget = s.window.Preview();
    const QImage plain = widget->grab().toImage();
    s.Click(kIdPreviewGrid);
    const QImage lined = widget->grab().toImage();
    std::set<int> changedInRow4;
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, 4) != lined.pixel(x, 4)) changedInRow4.insert(x);
    }
    std::set<int> cellEdges;
    for (int x = 0; x <= 256; x += 8) cellEdges.insert(x);
    QCOMPARE(changedInRow4, cellEdges);

    QTest::mouseMove(widget, QPoint(8 + 3, 16 + 3));  // column 1, row 2
    QCOMPARE(s.host.Text(kIdCellInfo), std::string("65  A  U+0041"));
    QCOMPARE(qobject_cast<QLabel*>(s.window.Control(kIdCellInfo))->text(),
             QStringLiteral("65  A  U+0041"));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
    QCOMPARE(s.host.Text(kIdCellInfo), std::string());
  }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
