// Qt widgets from a dialog template: every control where its template puts it, in pixels from the
// dialog font's base units (x·baseX/4, y·baseY/8), each findable by its number.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <functional>
#include <map>

#include "resources/dialog_template.h"

class QButtonGroup;
class QWidget;

namespace resources {

// The dialog font: "ＭＳ Ｐゴシック" at 9 points, or the closest installed Japanese font.
QFont DialogFont();

struct BaseUnits {
  int x;  // average character width
  int y;  // character height
};
BaseUnits DialogBaseUnits(const QFont& font);
// A rectangle in dialog units, in pixels.
QRect ToPixels(BaseUnits units, int x, int y, int cx, int cy);

// Makes the control of a template in place of the builder's own kind (such as a page's link label).
using ControlFactory = std::function<QWidget*(const ControlTemplate& control, QWidget* parent)>;

// Gives `widget` the dialog font, a client area of exactly the template's size, and the template's
// controls as children, created in the template's order (which is their tab order). Radio buttons
// from one that starts a group up to the next such form one exclusive group, their ids 0, 1, …
// in order. A label's access key moves the focus to the control beside it on its row, else to
// the next control that takes the focus. `custom` makes the controls whose numbers it names.
void BuildControls(const DialogTemplate& dialog, QWidget& widget, const std::map<int, ControlFactory>& custom = {});

// The control with that number in a built widget, or null (kNoId finds nothing).
QWidget* FindControl(const QWidget& widget, int id);
// The exclusive group of radio buttons that starts with the button `firstId`, or null.
QButtonGroup* RadioGroup(const QWidget& widget, int firstId);
// Where the focus goes for `control`: the checked button of its radio group when it is an
// unchecked radio button of a group with a checked, enabled one (as the platform gives a radio
// group's focus to its checked button; Qt's Tab and Shift+Tab into an exclusive group go there
// too); else `control` itself.
QWidget* FocusTarget(QWidget* control);

// A picture of the resources: an icon, or an image strip of 16 × 16 images side by side, drawn
// on a transparent background.
QPixmap Picture(int id);

}  // namespace resources
