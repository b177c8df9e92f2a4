// atspi_visibility.h: tells AT-SPI screen readers that a widget became visible or hidden.
#pragma once

class QWidget;

namespace tintwise::ui {

// Qt's AT-SPI bridge reports only the "showing" half of a widget being shown. A screen reader
// that first met the widget hidden keeps it "not visible" in its cache, and its review of the
// screen then skips it, so a shown history row or secret could not be reviewed. Call after
// the widget's visibility changed: this sends the "visible" half in the bridge's name.
void reportVisibility(QWidget* widget);

} // namespace tintwise::ui
