// The arithmetic behind the three-dimensional label: angle normalising, the placement of rotated text,
// the extra copies of each text style and the text-format flags. Plain functions, no drawing.
#pragma once

#include "gui/widgets/Label3DTypes.h"

#include <QList>
#include <QPoint>
#include <QSize>
#include <Qt>

namespace Label3DGeometry {

/// Brings an angle in degrees into 0 … 360: −90 gives 270, 450 gives 90, 720 gives 360, 360 stays 360.
int normaliseEscapement(int degrees);

/// Where rotated text goes inside the control, and how much room it takes.
struct RotatedPlacement
{
    QPoint offset; ///< added to the top-left corner of the text rectangle: the rotated text's origin
    QSize box;     ///< the bounding box of the rotated text
    bool resize;   ///< the control takes the size of `box` (auto-size)
};

/// `angle` in 1 … 360 (counter-clockwise), `text` the unrotated width and height of the caption,
/// `horizontal` the control's alignment and `controlWidth` its width.
RotatedPlacement placeRotatedText(int angle, QSize text, bool autoSize, Qt::Alignment horizontal, int controlWidth);

/// The colour an extra copy of the caption is drawn in.
enum class CopyColour
{
    Shadow,
    Highlight
};

struct TextCopy
{
    QPoint offset;
    CopyColour colour;
};

/// The copies drawn under the main caption for a text style, in drawing order. Only tsShadow uses `shift`.
QList<TextCopy> textStyleCopies(TTextStyle style, int shift);

/// Flags for the unrotated caption: tabs expanded, word wrap, the horizontal alignment, the accelerator
/// character, and (for unrotated text only) the vertical layout, where centre and bottom force one line.
int labelTextFlags(Qt::Alignment alignment, bool wordWrap, bool showAccelChar, bool rotated);

/// How text that does not fit is shortened.
Qt::TextElideMode elideMode(TEllipsesStyle style);

} // namespace Label3DGeometry
