#include "ui/skins/engine/skin_style.h"

#include "ui/skins/engine/skin_palette.h"

#include <QLineEdit>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

bool has(const QStyleOption* option, QStyle::StateFlag flag) {
    return option->state & flag;
}

// Half a pixel in, so that a one-pixel pen falls on whole pixels.
QRectF edgeRect(const QRect& rect, qreal penWidth) {
    const qreal inset = penWidth / 2;
    return QRectF(rect).adjusted(inset, inset, -inset, -inset);
}

void drawRounded(QPainter* painter, const QRect& rect, const QPen& pen, const QBrush& fill,
                 qreal radius) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(pen);
    painter->setBrush(fill);
    painter->drawRoundedRect(edgeRect(rect, pen.widthF()), radius, radius);
    painter->restore();
}

// A plain group box (no check box): caption set in from the left, on the frame's top edge.
const QStyleOptionGroupBox* plainGroupBox(QStyle::ComplexControl control,
                                          const QStyleOptionComplex* option) {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != QStyle::CC_GroupBox || !box || box->subControls & QStyle::SC_GroupBoxCheckBox)
        return nullptr;
    return box;
}

} // namespace

SkinStyle::SkinStyle(const SkinLook& look)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), look_(look),
      shades_(shadesOf(look)) {}

QPalette SkinStyle::standardPalette() const {
    return paletteOf(look_);
}

void SkinStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // Fusion tracks the mouse over buttons and lists already; our edits light up too.
    if (qobject_cast<QLineEdit*>(widget))
        widget->setAttribute(Qt::WA_Hover, true);
}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
    switch (element) {
    case PE_PanelButtonCommand:
        drawButtonPanel(option, painter);
        return;
    case PE_FrameLineEdit:
        drawEditFrame(option, painter);
        return;
    case PE_FrameGroupBox:
        drawGroupFrame(option, painter);
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void SkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    // Fusion leaves a list header's unused end in the window colour, which in a deep look is
    // a dark block at the end of a light header row.
    if (element == CE_HeaderEmptyArea) {
        painter->fillRect(option->rect, option->palette.button());
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void SkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (const QStyleOptionGroupBox* box = plainGroupBox(control, option))
        drawGroupBox(box, painter, widget);
    else
        QProxyStyle::drawComplexControl(control, option, painter, widget);
}

QRect SkinStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                SubControl part, const QWidget* widget) const {
    const QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    const QStyleOptionGroupBox* box = plainGroupBox(control, option);
    if (!box)
        return rect;
    constexpr int kCaptionIndent = 8;
    const QRect label = QProxyStyle::subControlRect(control, option, SC_GroupBoxLabel, widget);
    if (part == SC_GroupBoxLabel)
        return label.translated(kCaptionIndent, 0);
    if (part == SC_GroupBoxFrame && !box->text.isEmpty())
        return rect.adjusted(0, label.center().y() - rect.top(), 0, 0);
    return rect;
}

// The frame breaks for the caption; a disabled box fades both, so that it reads as disabled
// before its contents are even looked at.
void SkinStyle::drawGroupBox(const QStyleOptionGroupBox* box, QPainter* painter,
                             const QWidget* widget) const {
    const bool enabled = has(box, State_Enabled);
    const QRect label = subControlRect(CC_GroupBox, box, SC_GroupBoxLabel, widget);
    painter->save();
    if (box->subControls & SC_GroupBoxFrame) {
        QStyleOptionFrame frame;
        frame.QStyleOption::operator=(*box);
        frame.rect = subControlRect(CC_GroupBox, box, SC_GroupBoxFrame, widget);
        if (!box->text.isEmpty())
            painter->setClipRegion(QRegion(box->rect) - QRegion(label.adjusted(-3, 0, 3, 0)));
        drawGroupFrame(&frame, painter);
        painter->setClipping(false);
    }
    if (box->subControls & SC_GroupBoxLabel && !box->text.isEmpty()) {
        painter->setPen(enabled ? QColor(look_.title) : shades_.windowTextDisabled);
        painter->drawText(label, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic,
                          box->text);
    }
    painter->restore();
}

// Buttons and drop-down lists: a light gradient that brightens, with an accent edge, under the
// mouse and darkens when pressed; focus is a wide accent edge, so it still shows while hovered
// or pressed.
void SkinStyle::drawButtonPanel(const QStyleOption* option, QPainter* painter) const {
    const bool enabled = has(option, State_Enabled);
    const bool down = has(option, State_Sunken) || has(option, State_On);
    const bool focused = enabled && has(option, State_HasFocus);
    QBrush fill;
    if (!enabled) {
        fill = shades_.buttonDisabled;
    } else if (down) {
        fill = shades_.pressed;
    } else if (has(option, State_MouseOver)) {
        fill = shades_.hover;
    } else {
        QLinearGradient gradient(option->rect.topLeft(), option->rect.bottomLeft());
        gradient.setColorAt(0, shades_.buttonTop);
        gradient.setColorAt(1, QColor(look_.button));
        fill = gradient;
    }
    QPen edge(enabled ? QColor(look_.border) : shades_.borderDisabled, 1);
    if (focused)
        edge = QPen(QColor(look_.accent), 2);
    else if (enabled && !down && has(option, State_MouseOver))
        edge = QPen(QColor(look_.accent), 1);
    drawRounded(painter, option->rect, edge, fill, 3);
}

void SkinStyle::drawEditFrame(const QStyleOption* option, QPainter* painter) const {
    const bool enabled = has(option, State_Enabled);
    QPen edge(enabled ? QColor(look_.border) : shades_.borderDisabled, 1);
    if (enabled && has(option, State_HasFocus))
        edge = QPen(QColor(look_.accent), 2);
    else if (enabled && has(option, State_MouseOver))
        edge = QPen(QColor(look_.accent), 1);
    drawRounded(painter, option->rect, edge, Qt::NoBrush, 2);
}

void SkinStyle::drawGroupFrame(const QStyleOption* option, QPainter* painter) const {
    const QColor edge = has(option, State_Enabled) ? QColor(look_.frame) : shades_.frameDisabled;
    drawRounded(painter, option->rect, QPen(edge, 1), Qt::NoBrush, 4);
}
