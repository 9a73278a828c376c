// The pictures of the notification-area icon and the program's own icon, drawn by the program itself.
#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

namespace TrayImages {

constexpr int count = 15;
constexpr int offline = 0;
constexpr int stopped = 13;
constexpr int dialling = 14;

/// Image `index` at 16 × 16 pixels: 0 offline, 1 … 12 the minutes of the hour in steps of five (a blue
/// frame growing around a green sign), 13 recording stopped, 14 dialling.
QImage draw(int index, int size = 16);

/// All fifteen, in order.
QList<QIcon> imageList();

/// The program's icon at any size.
QImage appIcon(int size);
/// The program's icon drawn at 16, 32, 48, 64 and 128 pixels.
QIcon appIconSet();

} // namespace TrayImages
