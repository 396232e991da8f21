#include "engine/parallel/bands.h"

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <vector>

namespace vask {
namespace {

// A fixed set of workers that each wait for one job: a band to run. One caller at a time
// hands out bands; a nested call from inside a band runs on its own thread alone.
class BandPool {
public:
    explicit BandPool(int workers)
    {
        for (int i = 0; i < workers; ++i)
            m_threads.emplace_back([this] { workerLoop(); });
    }

    ~BandPool()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        for (auto& t : m_threads)
            t.join();
    }

    int workerCount() const { return static_cast<int>(m_threads.size()); }

    void run(int bands, const std::function<void(int)>& band)
    {
        std::unique_lock callerLock(m_callerMutex, std::try_to_lock);
        if (!callerLock.owns_lock() || t_insideBand) {
            for (int i = 0; i < bands; ++i)
                band(i);
            return;
        }
        {
            std::lock_guard lock(m_mutex);
            m_job = &band;
            m_nextBand = 0;
            m_bandCount = bands;
            m_pending = bands;
            ++m_generation;
        }
        m_wake.notify_all();
        runBands();
        std::unique_lock lock(m_mutex);
        m_done.wait(lock, [this] { return m_pending == 0; });
        m_job = nullptr;
    }

private:
    void runBands()
    {
        t_insideBand = true;
        for (;;) {
            int index;
            const std::function<void(int)>* job;
            {
                std::lock_guard lock(m_mutex);
                if (!m_job || m_nextBand >= m_bandCount)
                    break;
                index = m_nextBand++;
                job = m_job;
            }
            (*job)(index);
            std::lock_guard lock(m_mutex);
            if (--m_pending == 0)
                m_done.notify_all();
        }
        t_insideBand = false;
    }

    void workerLoop()
    {
        unsigned seen = 0;
        for (;;) {
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [&] { return m_stopping || m_generation != seen; });
                if (m_stopping)
                    return;
                seen = m_generation;
            }
            runBands();
        }
    }

    static thread_local bool t_insideBand;

    std::vector<std::thread> m_threads;
    std::mutex m_callerMutex;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void(int)>* m_job = nullptr;
    int m_nextBand = 0;
    int m_bandCount = 0;
    int m_pending = 0;
    unsigned m_generation = 0;
    bool m_stopping = false;
};

thread_local bool BandPool::t_insideBand = false;

int configuredThreads()
{
    if (const char* env = std::getenv("VASK_THREADS")) {
        const int n = std::atoi(env);
        if (n >= 1)
            return std::min(n, 64);
    }
    return std::max(1u, std::thread::hardware_concurrency());
}

BandPool& pool()
{
    static BandPool instance(configuredThreads() - 1);
    return instance;
}

} // namespace

int bandThreadCount()
{
    return pool().workerCount() + 1;
}

void forEachBand(int rows, const std::function<void(int, int)>& work, int minRowsPerBand)
{
    if (rows <= 0)
        return;
    const int threads = bandThreadCount();
    minRowsPerBand = std::max(1, minRowsPerBand);
    // A few bands per thread even out cores that are busy with something else.
    int bands = std::min(threads * 4, (rows + minRowsPerBand - 1) / minRowsPerBand);
    if (threads == 1 || bands <= 1) {
        work(0, rows);
        return;
    }
    const int step = (rows + bands - 1) / bands;
    bands = (rows + step - 1) / step;
    pool().run(bands, [&](int band) {
        const int first = band * step;
        work(first, std::min(rows, first + step));
    });
}

} // namespace vask
