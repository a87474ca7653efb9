#include "acoustics/MapWorkers.h"
#include "core/SplState.h"
#include "platform/Services.h"

#include <QThread>

#include <algorithm>
#include <system_error>

namespace {

// Nodes a worker takes at a time: few enough that a row spreads over the workers and that a stop
// waits for little, many enough that handing them out costs nothing.
constexpr int PieceNodes = 16;

// How long the window thread waits for a row before it looks at the clock and the Stop button again.
constexpr std::chrono::milliseconds WaitSlice(20);

// The window keeps still for the first 5 s of a run; after that events run every 0.1 s, well within
// the 0.2 s the window may go without them. Reading the clock is slow next to storing a node, so the
// row loop reads it once per row and after every so many cells.
constexpr qint64 QuietStartMs = 5000;
constexpr qint64 EventIntervalMs = 100;
constexpr int CellsPerCheck = 16384;

class EventPacer {
public:
    explicit EventPacer(const QDateTime& start) : start_(start), lastEvents_(start) {}

    // Lets events run when they are due; true when StopSimulation is set.
    bool StopRequested()
    {
        const QDateTime now = Svc().Now();
        if (start_.msecsTo(now) > QuietStartMs && lastEvents_.msecsTo(now) >= EventIntervalMs) {
            lastEvents_ = now;
            DoEvents();
        }
        return IsTrue(StopSimulation);
    }

private:
    QDateTime start_;
    QDateTime lastEvents_;
};

}

MapWorkers::MapWorkers(const MapGrid& grid, NodeEvaluator evaluate, int threads)
    : grid_(grid), evaluate_(std::move(evaluate)), columns_(grid.nodesX + 1),
      piecesPerRow_((columns_ + PieceNodes - 1) / PieceNodes), piecesTotal_(piecesPerRow_ * (grid.nodesZ + 1)),
      levels_(std::size_t(grid.nodesZ + 1) * std::size_t(columns_)),
      piecesLeft_(std::make_unique<std::atomic<int>[]>(std::size_t(grid.nodesZ + 1)))
{
    for (int a = 0; a <= grid.nodesZ; ++a)
        piecesLeft_[std::size_t(a)].store(piecesPerRow_);
    const int count = std::max(1, threads);
    try {
        for (int t = 0; t < count; ++t)
            threads_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // The system gives fewer threads than asked for: those it gave do the work.
        if (threads_.empty())
            throw;
    }
}

MapWorkers::~MapWorkers()
{
    cancelled_ = true;
    for (std::thread& t : threads_)
        t.join();
}

bool MapWorkers::WaitForRow(int a, std::chrono::milliseconds timeout)
{
    std::atomic<int>& left = piecesLeft_[std::size_t(a)];
    if (left.load(std::memory_order_acquire) == 0)
        return true;
    std::unique_lock<std::mutex> lock(mutex_);
    const bool done = rowDone_.wait_for(
        lock, timeout, [this, &left] { return failure_ || left.load(std::memory_order_acquire) == 0; });
    if (failure_)
        std::rethrow_exception(failure_);
    return done;
}

const std::int16_t* MapWorkers::Row(int a) const { return levels_.data() + std::size_t(a) * std::size_t(columns_); }

void MapWorkers::Work()
{
    for (;;) {
        const int piece = nextPiece_.fetch_add(1, std::memory_order_relaxed);
        if (piece >= piecesTotal_)
            return;
        const int a = piece / piecesPerRow_;
        const int first = piece % piecesPerRow_ * PieceNodes;
        const int end = std::min(first + PieceNodes, columns_);
        const double z = NodeZ(grid_, a);
        std::int16_t* row = levels_.data() + std::size_t(a) * std::size_t(columns_);
        for (int b = first; b < end; ++b) {
            if (cancelled_.load(std::memory_order_relaxed))
                return;
            try {
                row[b] = evaluate_(NodeX(grid_, b), z);
            } catch (...) {
                const std::lock_guard<std::mutex> lock(mutex_);
                if (!failure_)
                    failure_ = std::current_exception();
                cancelled_ = true;
                rowDone_.notify_all();
                return;
            }
        }
        if (piecesLeft_[std::size_t(a)].fetch_sub(1, std::memory_order_acq_rel) == 1) {
            const std::lock_guard<std::mutex> lock(mutex_);
            rowDone_.notify_all();
        }
    }
}

int AvailableCores() { return std::max(1, QThread::idealThreadCount()); }

bool ComputeSplMapParallel(const MapGrid& grid, const NodeEvaluator& evaluate, const QDateTime& start, int threads)
{
    MapWorkers workers(grid, evaluate, threads > 0 ? threads : AvailableCores());
    EventPacer pacer(start);
    const int blockCells = grid.step * grid.step;
    for (int a = 0; a <= grid.nodesZ; ++a) {
        if (pacer.StopRequested())
            return false;
        while (!workers.WaitForRow(a, WaitSlice))
            if (pacer.StopRequested())
                return false;
        const std::int16_t* levels = workers.Row(a);
        int cells = 0;
        for (int b = 0; b <= grid.nodesX; ++b) {
            SPLMap(grid.step * a, grid.step * b) = levels[b];
            if (a > 0 && b > 0) {
                FillMapBlock(grid, a, b);
                cells += blockCells;
            }
            if (++cells >= CellsPerCheck) {
                cells = 0;
                if (pacer.StopRequested())
                    return false;
            }
        }
        ShowRowProgress(grid, a);
    }
    return true;
}
