// The look, border, link and shortening choices of the three-dimensional label, in their stored order.
#pragma once

enum TTextStyle
{
    tsNone,
    tsRaised,
    tsLightRaised,
    tsRecessed,
    tsHeavyRecessed,
    tsShadow
};

enum TBorderType
{
    btDefault,
    btRecessed,
    btRaised
};

enum TLabelStyle
{
    lsDefault,
    lsWWWAddress,
    lsEMailAddress
};

enum TEllipsesStyle
{
    esNone,
    esEnd,
    esPath
};
