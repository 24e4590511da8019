// The editor against a host that processes and automates on its audio thread while the user interface
// opens, idles and closes the editor: run under ThreadSanitizer and AddressSanitizer.
#include "EditorTestSupport.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

using namespace qm07;

namespace
{

/// Processes a loud tone in 64-frame blocks and moves Thresh, until told to stop.
class AudioThread
{
public:
    explicit AudioThread(TarvelCompressor& effect)
        : worker(
              [this, &effect]
              {
                  std::vector<float> left(64), right(64);
                  float* channels[] = {left.data(), right.data()};
                  for (std::uint32_t block = 0; !stop.load(); ++block)
                  {
                      for (std::size_t n = 0; n < left.size(); ++n)
                          left[n] = right[n] = std::sin(0.05f * static_cast<float>(n + 64 * block));
                      effect.processReplacing(channels, channels, 64);
                      effect.setParameter(kThresh, static_cast<float>(block % 101) / 100.0f);
                      blocks.fetch_add(1);
                  }
              })
    {
    }
    ~AudioThread()
    {
        stop.store(true);
        worker.join();
    }
    std::uint32_t processed() const { return blocks.load(); }

private:
    std::atomic<bool> stop{false};
    std::atomic<std::uint32_t> blocks{0};
    std::thread worker;
};

using EditorThreads = qm07test::EditorTest;

TEST_F(EditorThreads, OpenAndCloseTwoHundredTimesWhileAudioRuns)
{
    AudioThread audio(*effect);
    for (int cycle = 0; cycle < 200; ++cycle)
    {
        editor().close();
        openAndPaint();
        editor().idle();
    }
    EXPECT_GT(audio.processed(), 0u);
    EXPECT_TRUE(effect->gainReductionFeed().isActive());
}

TEST_F(EditorThreads, HostAutomationFromTheAudioThreadShowsAtIdle)
{
    {
        AudioThread audio(*effect);
        while (audio.processed() < 2000)
            editor().idle();
    }
    editor().idle();
    EXPECT_EQ(control(kThresh)->getValue(), effect->getParameter(kThresh));
    EXPECT_GT(effect->gainReductionFeed().reading(), 1.0) << "the loud tone is being compressed";
}

} // namespace
