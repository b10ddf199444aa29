#include "run/rx_ring.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "run/rx_reader.h"

namespace vornlfrf::run {
namespace {

TEST(RxRing, FifoOrderAcrossTheWrapAndDropOldestWhenFull) {
    RxRing ring;
    EXPECT_EQ(ring.ReadRxByte(), -1);
    std::vector<std::uint8_t> data(RxRing::kSize);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    ring.append(data.data(), data.size());
    // One slot stays free: the very first byte is gone.
    EXPECT_EQ(ring.pending(), RxRing::kSize - 1);
    EXPECT_EQ(ring.ReadRxByte(), data[1]);
    std::vector<std::uint8_t> out(10);
    ASSERT_EQ(ring.readBlock(out.data(), out.size()), 10u);
    EXPECT_EQ(out[9], data[11]);

    ring.reset();
    const std::uint8_t tail[] = {1, 2, 3};
    ring.append(tail, 3);
    EXPECT_EQ(ring.readBlock(out.data(), out.size()), 3u);
    EXPECT_EQ(ring.ReadRxByte(), -1);
}

TEST(RxRing, LastAcquisitionsFileHoldsNibblesTwice) {
    RxRing ring;
    const std::uint8_t bytes[] = {0x3A, 0x05};
    ring.append(bytes, 2);
    (void)ring.ReadRxByte();  // consumed bytes are still saved
    const auto path = std::filesystem::temp_directory_path() / "vornlfrf_lastacq.bin";
    ASSERT_TRUE(SaveLastAcquisitions(ring, path.string()));
    std::ifstream in(path, std::ios::binary);
    const std::string got{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(got, std::string("\x0A\x0A\x03\x03\x05\x05\x00\x00", 8));
    std::filesystem::remove(path);
    EXPECT_FALSE(SaveLastAcquisitions(ring, "/nonexistent-dir/x.bin"));
}

// Port double delivering a scripted number of bytes per read.
class ScriptedPort : public hw::SerialPort {
  public:
    std::vector<std::size_t> sizes;
    std::uint8_t next = 0;
    std::size_t read(std::uint8_t* buffer, std::size_t max) override {
        if (sizes.empty()) return 0;
        const std::size_t n = std::min(max, sizes.front());
        sizes.erase(sizes.begin());
        for (std::size_t i = 0; i < n; ++i) buffer[i] = next++;
        return n;
    }
    bool write(const std::uint8_t*, std::size_t) override { return true; }
    bool setBaudRate(int) override { return true; }
    void setRts(bool) override {}
    void setDtr(bool) override {}
    void purge() override {}
};

TEST(RxReader, ReadsUntilAShortBlockAndCountsReads) {
    RxRing ring;
    ScriptedPort port;
    RxReader reader(ring, nullptr, nullptr);
    reader.StartRxReader(&port, true);
    port.sizes = {1024, 1024, 452, 1024};
    reader.RxReaderTick();
    EXPECT_EQ(reader.readsLastTick(), 3);
    EXPECT_EQ(ring.pending(), 2500u);
    EXPECT_EQ(ring.receivedTotal(), 2500u);

    RxReader off(ring, nullptr, nullptr);
    off.StartRxReader(&port, false);  // chkRx not ticked: nothing read, counters stay 0
    off.RxReaderTick();
    EXPECT_EQ(off.readsMax(), 0);
    EXPECT_EQ(ring.pending(), 0u);
}

TEST(RxReader, SilentLinkPostsLinkLossOnceOnTheSecondCountAfterFiftyEmptyReads) {
    RxRing ring;
    ScriptedPort port;
    int posted = 0, lost = 0;
    RxReader reader(
        ring,
        [&](std::function<void()> f) {
            ++posted;
            f();
        },
        [&] { ++lost; });
    reader.StartRxReader(&port, true);
    for (int i = 0; i < 51; ++i) reader.RxReaderTick();
    EXPECT_EQ(reader.noReceptCount(), 1);
    EXPECT_EQ(lost, 0);
    reader.RxReaderTick();
    reader.RxReaderTick();
    EXPECT_EQ(reader.noReceptCount(), 3);
    EXPECT_EQ(posted, 1);
    EXPECT_EQ(lost, 1);
}

TEST(RxReader, BrokenDialogMessageFormat) {
    const std::string m = brokenDialogMessage(0);
    EXPECT_NE(m.find(" : BROKEN DIALOG !\nYou must disconnect USB cable,\nreconnect it,\nand "
                     "restart the test."),
              std::string::npos);
    EXPECT_EQ(m[2], '-');
}

// Producer thread against the consumer: run under ThreadSanitizer in CI.
TEST(RxRingConcurrency, ReaderThreadAndConsumerSeeEveryByteInOrder) {
    RxRing ring;
    constexpr int kBlocks = 2000;
    std::thread producer([&] {
        std::uint8_t block[257];
        std::uint8_t v = 0;
        for (int b = 0; b < kBlocks; ++b) {
            for (auto& x : block) x = v++;
            ring.append(block, sizeof block);
        }
    });
    std::uint8_t expected = 0;
    std::size_t seen = 0;
    std::uint8_t buf[300];
    while (seen < kBlocks * 257u) {
        const std::size_t n = ring.readBlock(buf, sizeof buf);
        for (std::size_t i = 0; i < n; ++i) ASSERT_EQ(buf[i], expected++);
        seen += n;
        if (n == 0) std::this_thread::yield();
    }
    producer.join();
    EXPECT_EQ(ring.ReadRxByte(), -1);
}

}  // namespace
}  // namespace vornlfrf::run
