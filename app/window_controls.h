#pragma once

#include <QWidget>

#include "dialog_units.h"
#include "window_template.h"

// Creates the template's controls as children of `window`, in template order,
// each at its template rectangle converted with `units`. Controls with an
// identifier can then be found with FindControl.
void CreateControls(QWidget& window, const WindowTemplate& layout, const DialogUnits& units);

// The control with the identifier `id`, or null when the window has none.
QWidget* FindControl(const QWidget& window, int id);
