// Hover buttons, skin button, colour combo, list and progress bar under the offscreen platform.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "ui/skin/BitmapProgressBar.h"
#include "ui/skin/ColorCombox.h"
#include "ui/skin/HoverButtonEx4.h"
#include "ui/skin/HoverNotice.h"
#include "ui/skin/SkinListCtrl.h"
#include "ui/skin/SkinVerticleScrollbar.h"
#include "ui/skin/core/SkinTable.h"
#include "ui/skin/tests/TestApp.h"
#include "ui/skin/xSkinButton.h"

namespace vorlix {
namespace {

void Enter(QWidget* widget) {
    QEnterEvent enter(QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)), widget->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(widget, &enter);
}

void Leave(QWidget* widget) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

// Records the hover notices a window receives.
class NoticeRecorder : public QWidget {
public:
    std::vector<std::pair<int, int>> notices;  // kind, code
    bool event(QEvent* event) override {
        if (event->type() == CHoverNotice::EventType()) {
            const auto* notice = static_cast<CHoverNotice*>(event);
            notices.emplace_back(notice->Kind(), notice->Code());
            return true;
        }
        return QWidget::event(event);
    }
};

QPixmap PlainStrip(int width, int height) {
    QPixmap strip(width, height);
    strip.fill(Qt::gray);
    return strip;
}

TEST(HoverButton, ResizesToOneFrameOfTheStrip) {
    SkinTestApp();
    CHoverButtonEx horizontal;
    horizontal.move(30, 40);
    ASSERT_EQ(horizontal.SetStrip(PlainStrip(156, 27)), 1);
    EXPECT_EQ(horizontal.size(), QSize(39, 27));
    EXPECT_EQ(horizontal.pos(), QPoint(30, 40));
    CHoverButtonEx vertical;
    vertical.SetHorizontal(false);
    vertical.SetStrip(PlainStrip(39, 108));
    EXPECT_EQ(vertical.size(), QSize(39, 27));
    // A missing picture keeps the previous look.
    EXPECT_EQ(vertical.SetBitmap(99999), 0);
    EXPECT_EQ(vertical.size(), QSize(39, 27));
    // The firmware page's START strip lies one frame above the other.
    CHoverButtonEx start;
    start.SetHorizontal(false);
    ASSERT_EQ(start.SetBitmap(387), 1);
    EXPECT_EQ(start.size(), QSize(138, 32));
}

TEST(HoverButton, HoverPressAndLeaveChooseTheFrame) {
    SkinTestApp();
    QWidget window;
    auto* button = new CHoverButtonEx(&window);
    button->SetBitmap(338);
    button->SetTooltipText("OK/EXIT");
    window.show();
    EXPECT_EQ(button->CurrentFrame(), EFrame::Normal);
    Enter(button);
    EXPECT_TRUE(button->IsHovering());
    EXPECT_EQ(button->CurrentFrame(), EFrame::Hover);
    EXPECT_TRUE(button->TooltipTimer().isActive());
    EXPECT_EQ(button->TooltipTimer().interval(), 2000);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(button->CurrentFrame(), EFrame::Pressed);
    Leave(button);  // leaving clears the hover and the pressed look
    EXPECT_FALSE(button->IsHovering());
    EXPECT_FALSE(button->TooltipTimer().isActive());
    EXPECT_EQ(button->CurrentFrame(), EFrame::Normal);
    button->setEnabled(false);
    EXPECT_EQ(button->CurrentFrame(), EFrame::Disabled);
    // The owner clears a kept hover before closing its dialog.
    button->setEnabled(true);
    Enter(button);
    button->SetHovering(false);
    EXPECT_EQ(button->CurrentFrame(), EFrame::Normal);
}

TEST(HoverButton, PassiveLabelIgnoresHoverAndClicksAndRelayReportsDownAndUp) {
    SkinTestApp();
    QWidget window;
    auto* passive = new CHoverButtonEx2(&window);
    passive->SetBitmap(2004);
    passive->SetPassive(true);
    QSignalSpy clicked(passive, &QAbstractButton::clicked);
    window.show();
    Enter(passive);
    EXPECT_FALSE(passive->IsHovering());
    QTest::mouseClick(passive, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicked.count(), 0);

    auto* relay = new CHoverButtonEx2(&window);
    relay->SetBitmap(2004);
    relay->SetRelay(0x9200, 7);
    QSignalSpy relayed(relay, &CHoverButtonEx2::Relay);
    QTest::mouseClick(relay, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(relayed.count(), 2);
    EXPECT_EQ(relayed[0], (QList<QVariant>{0x9200, 513, 7}));
    EXPECT_EQ(relayed[1], (QList<QVariant>{0x9200, 514, 7}));
    // The label turns grey when the button is disabled.
    relay->SetText("RIGHT BUTTON", Qt::white, relay->font(), QRect(20, 5, 114, 17));
    relay->SetDisabledTextColor(QColor(125, 125, 125));
    relay->setEnabled(false);
    EXPECT_EQ(relay->LabelColour(), QColor(125, 125, 125));
}

TEST(HoverButton, Ex4TellsItsListenersOnceAndTakesTheFocus) {
    SkinTestApp();
    QWidget window;
    auto* button = new CHoverButtonEx4(&window);
    button->SetBitmap(338);
    button->setFocusPolicy(Qt::StrongFocus);
    NoticeRecorder first;
    NoticeRecorder second;
    button->SetListener(0, &first);
    button->SetListener(1, &second);
    EXPECT_EQ(button->SetListener(5, &second), 0);
    button->SetGroup(3);
    window.show();
    window.activateWindow();
    Enter(button);
    Enter(button);  // a second enter before leaving tells nobody again
    Leave(button);
    QCoreApplication::processEvents();
    using Notices = std::vector<std::pair<int, int>>;
    EXPECT_EQ(first.notices, (Notices{{CHoverNotice::Hover, 291}, {CHoverNotice::Leave, 291}}));
    EXPECT_EQ(second.notices, (Notices{{CHoverNotice::Hover, 0}, {CHoverNotice::Leave, 0}}));
}

TEST(SkinButton, MaskGivesShapeAndSizeAndMissingDisabledUsesNormal) {
    SkinTestApp();
    CxSkinButton button;
    ASSERT_EQ(button.SetSkin(kHotSpotNormal, kHotSpotPressed, kHotSpotHover, 0, 0, kHotSpotMask), 1);
    EXPECT_EQ(button.size(), QSize(126, 200));
    EXPECT_FALSE(button.Shape().isEmpty());
    EXPECT_FALSE(button.mask().contains(QPoint(0, 0)));  // the left button's corner is outside
    EXPECT_TRUE(button.mask().contains(QPoint(80, 100)));
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentLook(), 3);
    EXPECT_EQ(button.SetSkin(kHotSpotNormal, 0, 0, 0, 0, 99999), 0);
}

TEST(ColorCombox, HoldsFiftyStringsAtMost) {
    SkinTestApp();
    CColorCombox combo;
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(combo.AddString(QString::number(i)), i);
    }
    EXPECT_EQ(combo.AddString("51st"), -1);
    EXPECT_EQ(combo.count(), 50);
    combo.ResetContent();
    EXPECT_EQ(combo.AddString("again"), 0);
}

TEST(SkinList, EachWheelStepScrollsOneLineAndTheBitmapBarFollows) {
    SkinTestApp();
    QWidget window;
    auto* list = new CSkinListCtrl(&window);
    list->setColumnCount(1);
    list->setHeaderHidden(true);
    for (int i = 0; i < 40; ++i) {
        list->addTopLevelItem(new QTreeWidgetItem(QStringList{QString::number(i)}));
    }
    list->setGeometry(0, 0, 200, 200);
    auto* bar = new CSkinVerticleScrollbar(&window);
    bar->setGeometry(200, 0, 17, 200);
    bar->SetBitmaps(kScrollUp, kScrollDown, kScrollChannel, kScrollThumb);
    bar->SetList(list);
    list->SetScrollbar(bar);
    window.show();
    QCoreApplication::processEvents();
    const int perPage = list->ItemsPerPage();
    ASSERT_GT(perPage, 2);
    const auto wheel = [&](int delta) {
        QWheelEvent event(QPointF(5, 5), list->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list->viewport(), &event);
    };
    wheel(-360);  // a long turn still moves one line
    EXPECT_EQ(list->TopIndex(), 1);
    wheel(-120);
    EXPECT_EQ(list->TopIndex(), 2);
    wheel(120);
    wheel(120);
    wheel(120);  // at the top already
    EXPECT_EQ(list->TopIndex(), 0);
    // The bar's arrows scroll a line; a click below its thumb a page; its thumb follows the list.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(8, 195));
    EXPECT_TRUE(bar->RepeatTimer().isActive());
    EXPECT_EQ(bar->RepeatTimer().interval(), 250);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(8, 195));
    EXPECT_EQ(list->TopIndex(), 1);
    const QRect before = bar->ThumbRect();
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, before.bottom() + 20));
    EXPECT_EQ(list->TopIndex(), 1 + list->verticalScrollBar()->pageStep());
    EXPECT_GT(bar->ThumbRect().top(), before.top());
}

TEST(ProgressBar, OneValueRangeShowsNothingFilled) {
    SkinTestApp();
    CBitmapProgressBar bar;
    ASSERT_EQ(bar.SetBitmaps(kProgressEmpty, kProgressFull), 1);
    EXPECT_EQ(bar.size(), QSize(319, 19));
    bar.SetRange(0, 16);
    bar.SetPos(8);
    EXPECT_EQ(bar.FilledWidth(), 159);
    bar.SetPos(40);
    EXPECT_EQ(bar.FilledWidth(), 319);
    bar.SetRange(5, 5);
    EXPECT_EQ(bar.FilledWidth(), 0);
    bar.grab();  // paints without dividing by zero
}

}  // namespace
}  // namespace vorlix
