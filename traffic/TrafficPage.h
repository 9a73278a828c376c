// What the Traffic Monitor page shows, one text per field, named after the field.
#pragma once

#include <QString>

struct TrafficPage
{
    // Placed directly on the panel: emptied when the monitor is cleared.
    QString ledAdapterDescription;
    QString ledMACAddress;
    QString ledSpeed;
    QString StatusText;
    // "From last reset:", "In (download)" and "Out (upload)": keep their texts until an interface is shown.
    QString ledStartedAt;
    QString ledActiveFor;
    QString ledOctInSec;
    QString ledPeakINSec;
    QString ledAvgINSec;
    QString ledTotalIN;
    QString ledOctOUTSec;
    QString ledPeakOUTSec;
    QString ledAvgOUTSec;
    QString ledTotalOUT;
};
