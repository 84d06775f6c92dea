// The update thread against an update server on the loopback address: what it asks, the
// notice it leaves and the one message it posts, the failures that end it quietly, and its
// end when the viewer closes while it waits for an answer.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <future>
#include <mutex>
#include <vector>

#include "appcore/app_messages.h"
#include "loopback_http_server.h"
#include "online/inet_connection_async.h"
#include "online/update_rules.h"

namespace quorva {
namespace {

using test::LoopbackHttpServer;

// Receives the update thread's messages (from its thread).
class MessageLog : public AppMessageTarget {
  public:
    void PostAppMessage(uint32_t id, uintptr_t w, intptr_t l) override {
        std::lock_guard lock(mutex_);
        messages_.push_back({id, w, l});
    }
    size_t Count(uint32_t id) const {
        std::lock_guard lock(mutex_);
        size_t n = 0;
        for (const auto& m : messages_)
            n += m.id == id ? 1 : 0;
        return n;
    }
    size_t Size() const {
        std::lock_guard lock(mutex_);
        return messages_.size();
    }

  private:
    struct Message {
        uint32_t id;
        uintptr_t w;
        intptr_t l;
    };
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
};

// Lets the server (on this thread) answer until the condition holds, up to 15 s.
template <typename F>
bool Serve(F condition, int ms = 15000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(5);
    }
    return true;
}

class UpdateCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(server.Start());
        base = server.BaseUrl().toStdString();
        Serves(kFirmwareFile, "VER:1.3.0\r\n");
        Serves(kViewerFile, "VER:1.1.0\r\n");
        Serves(kGpsDataFile, "240501\r\n");
    }
    void Serves(const UpdateServerFile& file, QByteArray body, int status = 200) {
        server.SetRoute(QByteArray(file.versionPath.data(), file.versionPath.size()), status,
                        std::move(body));
    }
    QList<QByteArray> Paths() const {
        QList<QByteArray> paths;
        for (const QByteArray& line : server.RequestLines())
            paths.append(line.split(' ').value(1));
        return paths;
    }
    LoopbackHttpServer server;
    std::string base;
    MessageLog window;
    const UpdateInputs card{"1.2.3", "240401", std::string(kModelMarker)};
};

TEST_F(UpdateCheckTest, NewerVersionsBringOneNotice) {
    CInetConnectionAsync connection;
    ASSERT_TRUE(connection.StartUpdateCheck(card, base, &window));
    ASSERT_TRUE(Serve([&] { return connection.UpdateFinished(); }));
    EXPECT_EQ(window.Count(WM_APP_UPDATE_AVAILABLE), 1u);
    EXPECT_EQ(window.Size(), 1u);
    EXPECT_EQ(Paths(),
              (QList<QByteArray>{"/taiou/dr_updata/velmo/velmora_sw_version.txt",
                                 "/0_recorder/viewer/RaveVorira02/RaveVorira02_version.txt",
                                 "/gps_data/drgps_01.txt"}));
    EXPECT_EQ(connection.NoticeText(), BuildUpdateNotice({
                                           {UpdateItemKind::kFirmware, "1.2.3", "1.3.0",
                                            base + "/taiou/dr_updata/velmora/velmora.html"},
                                           {UpdateItemKind::kViewer, "1.0.0", "1.1.0",
                                            base + "/0_recorder/viewer/Ravevorira02/viewer.html"},
                                           {UpdateItemKind::kGpsData, "24/04/01", "24/05/01",
                                            base + "/taiou/gps_data/dr_01/dr01.html"},
                                       }));
    // Once per run.
    EXPECT_FALSE(connection.StartUpdateCheck(card, base, &window));
    QTest::qWait(200);
    EXPECT_EQ(server.Requests(), 3);
}

TEST_F(UpdateCheckTest, NothingNewOrAFailedGpsFileBringsNoNotice) {
    Serves(kFirmwareFile, "VER:1.2.3.7");
    Serves(kViewerFile, "VER:1.0.0\n");
    Serves(kGpsDataFile, "240401");
    {
        CInetConnectionAsync connection;
        ASSERT_TRUE(connection.StartUpdateCheck(card, base, &window));
        ASSERT_TRUE(Serve([&] { return connection.UpdateFinished(); }));
        EXPECT_EQ(connection.NoticeText(), "");
    }
    // A newer viewer, but the GPS data file cannot be fetched: no notice at all.
    Serves(kViewerFile, "VER:2.0.0");
    Serves(kGpsDataFile, "gone", 404);
    {
        CInetConnectionAsync connection;
        ASSERT_TRUE(connection.StartUpdateCheck(card, base, &window));
        ASSERT_TRUE(Serve([&] { return connection.UpdateFinished(); }));
        EXPECT_EQ(connection.NoticeText(), "");
    }
    EXPECT_EQ(window.Size(), 0u);
}

TEST_F(UpdateCheckTest, NoServerNoRequest) {
    CInetConnectionAsync connection;
    EXPECT_FALSE(connection.StartUpdateCheck(card, "", &window));
    EXPECT_FALSE(connection.UpdateStarted());
    QTest::qWait(100);
    EXPECT_EQ(server.Requests(), 0);
}

TEST_F(UpdateCheckTest, AServerGoneMeanwhileEndsQuietly) {
    server.Stop();
    CInetConnectionAsync connection;
    ASSERT_TRUE(connection.StartUpdateCheck(card, base, &window));
    ASSERT_TRUE(Serve([&] { return connection.UpdateFinished(); }));
    EXPECT_EQ(window.Size(), 0u);
}

TEST_F(UpdateCheckTest, ClosingWhileTheServerIsSilentEndsTheCheck) {
    server.SetSilent(true);
    auto connection = std::make_unique<CInetConnectionAsync>();
    ASSERT_TRUE(connection->StartUpdateCheck(card, base, &window));
    ASSERT_TRUE(Serve([&] { return server.Requests() >= 1; }));
    // The fetch under way is given up at once rather than after its own time-out (10 s).
    auto stopped = std::async(std::launch::async, [&] { connection->Stop(); });
    EXPECT_TRUE(Serve(
        [&] { return stopped.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; },
        5000));
    stopped.wait();
    EXPECT_EQ(window.Size(), 0u);
    EXPECT_EQ(server.Requests(), 1);
    EXPECT_FALSE(connection->StartUpdateCheck(card, base, &window));
}

}  // namespace
}  // namespace quorva
