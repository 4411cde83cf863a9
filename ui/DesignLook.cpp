#include "ui/DesignLook.hpp"

#include "ui/DesignControls.hpp"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

namespace korvane::ui {

namespace {

// Fusion, changed only inside the design's controls. A style rather than a style sheet: under a
// program-wide style sheet Qt stops handing the windows' design fonts and caption colours down to
// their controls.
class DesignStyle : public QProxyStyle {
  public:
    DesignStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    // QLineEdit keeps two pixels of its own on either side of the contents; the narrowest boxes
    // are only as wide as three digits and their frame, so the contents give those pixels back.
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget) const override {
        QRect rect = QProxyStyle::subElementRect(element, option, widget);
        if (element == SE_LineEditContents) {
            rect.adjust(-kLineEditMargin, 0, kLineEditMargin, 0);
        }
        return rect;
    }

    // A frame's caption sits on its top line, as on Windows: the line runs through the caption's
    // middle and stops either side of it.
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control == CC_GroupBox && frame != nullptr) {
            const QRect caption = CaptionRect(*frame);
            if (part == SC_GroupBoxLabel) {
                return caption;
            }
            if (part == SC_GroupBoxFrame) {
                return frame->rect.adjusted(0, caption.height() / 2, 0, 0);
            }
        }
        return QProxyStyle::subControlRect(control, option, part, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* frame = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
        if (control == CC_GroupBox && frame != nullptr) {
            DrawFrame(*frame, painter, widget);
            return;
        }
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ComboBox) {
            DrawFocusMark(*option, painter, kInsideOutline);
        }
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        // Fusion marks a menu bar's item only while its menu is open; Alt or F10 puts the menu
        // bar in the focus with an item chosen but no menu open, and that item is marked as if
        // open, so that the keyboard user sees where the menu bar's keys act.
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element == CE_MenuBarItem && item != nullptr && (item->state & State_Selected) &&
            !(item->state & State_Sunken) && widget != nullptr && widget->hasFocus()) {
            QStyleOptionMenuItem chosen = *item;
            chosen.state |= State_Sunken;
            QProxyStyle::drawControl(element, &chosen, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton) {
            DrawFocusMark(*option, painter, kInsideOutline);
        }
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        // A result box shows no cursor, and Fusion's focus outline is a faint line: the ring
        // shows where the focus is. It lies on the outline rather than inside it, as the box's
        // text starts a pixel inside; the text is drawn over it.
        const auto* box = qobject_cast<const QLineEdit*>(widget);
        if (element == PE_PanelLineEdit && box != nullptr && box->isReadOnly()) {
            DrawFocusMark(*option, painter, kOnOutline);
        }
    }

  private:
    static QRect CaptionRect(const QStyleOptionGroupBox& frame) {
        if (frame.text.isEmpty()) {
            return {};
        }
        return {frame.rect.left() + kCaptionIndent, frame.rect.top(),
                frame.fontMetrics.horizontalAdvance(frame.text), frame.fontMetrics.height()};
    }

    // An etched line, as Windows draws a frame. Nothing is filled: inside the line the frame
    // shows its own background, the window's colour.
    void DrawFrame(const QStyleOptionGroupBox& frame, QPainter* painter,
                   const QWidget* widget) const {
        const QRect caption =
            proxy()->subControlRect(CC_GroupBox, &frame, SC_GroupBoxLabel, widget);
        const QRect line = proxy()->subControlRect(CC_GroupBox, &frame, SC_GroupBoxFrame, widget);
        painter->save();
        painter->setClipRegion(QRegion(frame.rect).subtracted(caption));
        qDrawShadeRect(painter, line, frame.palette, true);
        painter->restore();
        proxy()->drawItemText(painter, caption, Qt::AlignLeft | Qt::AlignVCenter, frame.palette,
                              (frame.state & State_Enabled) != 0, frame.text, QPalette::WindowText);
    }

    // Fusion's own focus mark on lists, buttons and result boxes is a faint outline that the teal
    // background swallows. This one is a ring in the highlight colour, `fromEdge` pixels in from
    // the control's edge, drawn only while the control has the focus, so nothing changes at rest.
    static void DrawFocusMark(const QStyleOption& option, QPainter* painter, int fromEdge) {
        if (!(option.state & State_HasFocus)) {
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), kFocusMarkWidth));
        painter->setBrush(Qt::NoBrush);
        const qreal inset = fromEdge + kFocusMarkWidth / 2.0;
        painter->drawRoundedRect(QRectF(option.rect).adjusted(inset, inset, -inset, -inset), 2, 2);
        painter->restore();
    }

    static constexpr int kLineEditMargin = 2;
    static constexpr int kCaptionIndent = 6;
    static constexpr int kFocusMarkWidth = 2;
    static constexpr int kInsideOutline = 1; // the outline stays, against the light face inside
    static constexpr int kOnOutline = 0;
};

} // namespace

void InstallDesignLook() {
    InstallFontSubstitutes();
    QApplication::setStyle(new DesignStyle);
}

} // namespace korvane::ui
