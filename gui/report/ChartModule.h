// Finds and loads the per-day chart's module the first time a chart is wanted, and keeps it loaded for the
// rest of the run: the chart's classes must outlive every window that shows one.
#pragma once

#include "gui/report/DayChartPanel.h"

#include <QString>
#include <QStringList>

class ChartModule
{
public:
    /// A new chart as a child of `parent`, or nullptr when the module cannot be loaded; then `problem`
    /// says why, in the loader's words.
    static DayChartPanel* create(QWidget* parent, QString& problem);

    /// The folders searched, in order: the program's own folder (the build tree), then the install's
    /// module folder, found from the program's bin/ so that any install prefix works.
    static QStringList defaultFolders();
    /// Searches `folders` instead from the next chart on, loading afresh.
    static void setFolders(QStringList folders);
    /// Makes charts with `factory` and loads nothing, for a program that links the chart itself.
    static void setFactory(DayChartFactory factory);
};
