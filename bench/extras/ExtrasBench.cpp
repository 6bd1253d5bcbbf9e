#include "player/extras/ExtrasStore.h"
#include "player/extras/ExtrasTrackWriter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace
{
constexpr int kTracks = 100'000;
constexpr qint64 kLengthUs = 200'000'000;

MprisMetadata streamTrack(int n)
{
    return MprisMetadata({ { "xesam:url", QString("https://radio.example/%1").arg(n) },
        { "xesam:artist", QStringList { QString("Artist %1").arg(n % 997) } },
        { "xesam:title", QString("Title %1").arg(n) }, { "xesam:album", QString("Album %1").arg(n % 4999) },
        { "mpris:length", kLengthUs } });
}

// A store file holding kTracks rated tracks, filled in one transaction (saving them one by
// one, each durable, would take minutes).
QString filledStore(const QTemporaryDir& dir)
{
    const QString path = dir.filePath("extras.sqlite");
    {
        ExtrasTrackWriter writer(std::make_shared<ExtrasStore>(path));
        writer.rate(streamTrack(0), 20);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
        db.setDatabaseName(path);
        db.open();
        db.transaction();
        QSqlQuery insert(db);
        insert.prepare("INSERT OR REPLACE INTO tracks (identity, rating, play_count, played_ms) VALUES (?, ?, ?, ?)");
        for (int n = 0; n < kTracks; ++n) {
            insert.addBindValue(ExtrasTrackWriter::identityOf(streamTrack(n)));
            insert.addBindValue(n % 6 * 20);
            insert.addBindValue(n % 50);
            insert.addBindValue(1'700'000'000'000LL + n);
            if (!insert.exec())
                std::fprintf(stderr, "fill: %s\n", qPrintable(insert.lastError().text()));
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase("fill");
    return path;
}

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

const QString& storePath()
{
    static const QString path = filledStore(folder());
    return path;
}

void TrackChangeLookup(benchmark::State& state)
{
    ExtrasTrackWriter writer(std::make_shared<ExtrasStore>(storePath()));
    writer.readBack(streamTrack(1));
    int n = 0;
    for (auto _ : state) {
        const MprisMetadata track = streamTrack((n += 7919) % kTracks);
        benchmark::DoNotOptimize(writer.readBack(track));
    }
}

// A track the store does not hold: the lookup by identity, then by name among imported ones.
void UnknownTrackLookup(benchmark::State& state)
{
    ExtrasTrackWriter writer(std::make_shared<ExtrasStore>(storePath()));
    writer.readBack(streamTrack(1));
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(writer.readBack(streamTrack(kTracks + ++n)));
}

void RatingWrite(benchmark::State& state)
{
    ExtrasTrackWriter writer(std::make_shared<ExtrasStore>(storePath()));
    int n = 0;
    for (auto _ : state) {
        ++n;
        writer.rate(streamTrack(n * 7919 % kTracks), n % 6 * 20);
    }
}

// Opening, the schema and SQLite's quick check: paid once, at the first track change.
void FirstLookup(benchmark::State& state)
{
    for (auto _ : state) {
        ExtrasTrackWriter writer(std::make_shared<ExtrasStore>(storePath()));
        benchmark::DoNotOptimize(writer.readBack(streamTrack(42)));
    }
}
}

BENCHMARK(TrackChangeLookup)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(UnknownTrackLookup)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(RatingWrite)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(FirstLookup)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
