#pragma once

#include <QString>

class QLabel;
class QWidget;

// What screen readers are told about the program's windows and controls.
//
// A widget class of the program names its role by class info, for example
// Q_CLASSINFO("AccessibleRole", "Dialog") with a QAccessible::Role key: Qt
// would show a plain QWidget window as a bare client ("filler" on AT-SPI) and
// a QFrame line as a frame. Installs, once per application, the factory that
// reads it; call it before the first window is made.
void installAccessibleRoles();

// Names and describes a control for screen readers, leaving its caption alone.
void nameControl(QWidget* control, const QString& name, const QString& description = {});

// A count label is read as the count of its list: "FileList count" while it
// is blank, then with the number it shows once showCount has set one.
void nameCountLabel(QLabel* label, const QString& listName);
// Brings the name of a label named by nameCountLabel in step with its number.
void renameCountLabel(QLabel* label);
