#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary application folder with an AppFiles folder, laid with the given file contents
// ("value" + CR LF each), so no test touches the build's own settings.
class AppFolder
{
public:
    explicit AppFolder(const QStringList &values = { "1", "1", "1", "11111" });

    QString path() const { return m_dir.path(); }
    QString filePath(int number) const;

    void writeRaw(int number, const QByteArray &bytes) const;
    QByteArray read(int number) const;
    void remove(int number) const;
    void removeFolder() const;
    void setWriteProtected(int number, bool writeProtected) const;

private:
    QTemporaryDir m_dir;
};
