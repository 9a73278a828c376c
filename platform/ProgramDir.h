// The folder of the personal data files: the program's own folder where it may write there (a portable
// copy, the build tree), the per-user data folder otherwise and for every installed copy.
#pragma once

#include <QString>
#include <functional>

namespace ProgramDir {

struct Choice
{
    QString folder;  ///< always ends in "/"; empty when no usable folder was found
    QString problem; ///< a sentence for the user when `folder` is empty
};

/// `canWrite` tells whether the program may create files in a folder (creating the folder if needed).
/// An installed copy never takes its own folder, even where it could write there. A portable copy whose
/// folder holds `personalFileName` (the name the settings give) keeps that folder while it cannot be
/// written: the user's file is recorded into once it can be, never swapped for an empty one elsewhere.
Choice choose(const QString& executableDir, const QString& userDataDir,
              const std::function<bool(const QString&)>& canWrite, const QString& personalFileName = QString());

/// The choice for this process: the executable's folder and XDG_DATA_HOME's "QovRuvela".
Choice forThisProcess(const QString& personalFileName = QString());

/// An installed copy: its data files in `share/qovruvela` beside its `bin` folder.
bool isInstalledCopy(const QString& executableDir);

/// Creates the folder when missing and probes it with a temporary file.
bool canWriteIn(const QString& folder);

} // namespace ProgramDir
