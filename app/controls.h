// Builds the form's controls: each gets its form name as objectName and its pixel place.
#pragma once

#include <QRect>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

QGroupBox* makeGroupBox(QWidget* parent, const char* name, const QString& caption, QRect place,
                        bool enabled);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, QRect place);
QLineEdit* makeEdit(QWidget* parent, const char* name, const QString& text, QRect place,
                    bool enabled);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place,
                        bool enabled);
// A drop-down list that accepts only its items; no selection is index -1.
QComboBox* makeDropDown(QWidget* parent, const char* name, QRect place, bool enabled);
