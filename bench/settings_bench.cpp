#include "settings/settings_files.h"
#include "settings/settings_store.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <stdexcept>

namespace {

// An application folder of its own, with the mode file holding the given bytes; made once and
// kept across the runs benchmark makes of one case, so a 50 MB file is written only once.
class SettingsFixture : public benchmark::Fixture
{
public:
    using benchmark::Fixture::SetUp;

    void SetUp(const benchmark::State &) override
    {
        if (m_folder)
            return;
        m_folder = std::make_unique<QTemporaryDir>();
        if (!m_folder->isValid()
            || !QDir(m_folder->path()).mkdir(QLatin1String(settingsFolderName)))
            throw std::runtime_error("cannot create a temporary application folder");
        m_store = std::make_unique<SettingsStore>(m_folder->path());
        QFile file(m_store->path(SettingsFile::Mode));
        const QByteArray bytes = content();
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write the settings file");
    }

protected:
    virtual QByteArray content() const { return "1\r\n"; }

    const SettingsStore &store() const { return *m_store; }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<SettingsStore> m_store;
};

class HugeSettingsFixture : public SettingsFixture
{
protected:
    QByteArray content() const override
    {
        QByteArray bytes = "1\r\n";
        bytes.append(50 * 1024 * 1024 - bytes.size(), 'x');
        return bytes;
    }
};

BENCHMARK_F(SettingsFixture, readIntegerSmallFile)(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(store().readInteger(SettingsFile::Mode));
}

// Only the first line counts, so this should cost what the small file costs.
BENCHMARK_F(HugeSettingsFixture, readInteger50MbFile)(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(store().readInteger(SettingsFile::Mode));
}

// Durable: each write flushes the file and its folder to the disk, so expect milliseconds, most
// of them spent waiting for the disk rather than on the processor; hence wall-clock time.
BENCHMARK_DEFINE_F(SettingsFixture, writeOneFile)(benchmark::State &state)
{
    const QString values[] = { QStringLiteral("0"), QStringLiteral("1") };
    int i = 0;
    for (auto _ : state)
        store().write(SettingsFile::Mode, values[i++ % 2]);
}
BENCHMARK_REGISTER_F(SettingsFixture, writeOneFile)->UseRealTime();

} // namespace
