#pragma once

#include "app_folder.h"

#include <QStringList>

// A temporary application folder holding a copy of the program beside its own AppFiles, so the
// program finds these settings as it finds its installed ones.
class ProgramFolder : public AppFolder
{
public:
    explicit ProgramFolder(const QStringList &values);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder &) = delete;
    ProgramFolder &operator=(const ProgramFolder &) = delete;

    QString program() const;
    QString appFiles() const;

    // Every entry in AppFiles by name, so a stray temporary file shows.
    QStringList appFilesEntries() const;

    // Gives the folders and settings files to the unprivileged user the program may run as, so
    // that its permissions, not the test's, decide what may be written.
    void handOver() const;
};
