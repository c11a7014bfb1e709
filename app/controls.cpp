#include "app/controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <typename Control> Control* place(Control* control, const char* name, QRect geometry) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

} // namespace

QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                        bool enabled) {
    auto* box = place(new QGroupBox(caption, parent), name, geometry);
    box->setEnabled(enabled);
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* label = place(new QLabel(caption, parent), name, geometry);
    // The platform's labels size themselves to their text; ours must not clip CJK glyphs.
    label->setWordWrap(false);
    return label;
}

QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, QRect geometry,
                    bool enabled) {
    auto* edit = place(new QLineEdit(text, parent), name, geometry);
    edit->setEnabled(enabled);
    return edit;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                        bool enabled) {
    auto* button = place(new QPushButton(caption, parent), name, geometry);
    button->setEnabled(enabled);
    button->setAutoDefault(false);
    return button;
}

QComboBox* makeDropDown(QWidget* parent, const char* name, QRect geometry, bool enabled) {
    auto* list = place(new QComboBox(parent), name, geometry);
    list->setEditable(false);
    list->setEnabled(enabled);
    return list;
}
