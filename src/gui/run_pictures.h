#pragma once
// Pictures of the run window drawn in code: channel LEDs, controller status, LF emission.

#include <QColor>
#include <QPixmap>

namespace vornlfrf::gui::pictures {

// Colour of a channel 0..3, shared by its LED and the light tint of its rows.
QColor channelColour(int channel);
QColor channelTint(int channel);
QColor channelSelected(int channel);

QPixmap led(const QColor& colour, bool lit, int size);
// Trigger input picture of channel 1.
QPixmap trigger(bool lit, int size);
// Controller picture: image 2 idle, 3 good, 4 error.
QPixmap controller(int image, int width, int height);
// LF emission indicator: image 0 quiet, 1 emitting.
QPixmap lfEmission(int image, int size);

}  // namespace vornlfrf::gui::pictures
