// One of our looks as a style: Fusion underneath, with our own edges and state colours for
// buttons, drop-down lists, edits and group boxes.
//
// Drawn by a style rather than given as an application style sheet: any application sheet
// stops the window's font from reaching the controls inside its group boxes, and the window
// sets its own (Tahoma, 11 px).
#pragma once

#include "ui/skins/engine/skin_looks.h"

#include <QProxyStyle>

class QStyleOptionGroupBox;

class SkinStyle : public QProxyStyle {
public:
    explicit SkinStyle(const SkinLook& look);

    const SkinLook& look() const { return look_; }

    QPalette standardPalette() const override;
    void polish(QWidget* widget) override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;

private:
    void drawButtonPanel(const QStyleOption* option, QPainter* painter) const;
    void drawEditFrame(const QStyleOption* option, QPainter* painter) const;
    void drawGroupFrame(const QStyleOption* option, QPainter* painter) const;
    void drawGroupBox(const QStyleOptionGroupBox* box, QPainter* painter,
                      const QWidget* widget) const;

    SkinLook look_;
    SkinShades shades_;
};
