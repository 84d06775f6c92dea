// The connection checker and the text fetch against a small HTTP server on the loopback
// address.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "loopback_http_server.h"
#include "online/inet_connection_async.h"

namespace quorva {
namespace {

using test::LoopbackHttpServer;

// Lets the server (on this thread) answer while waiting for a condition, up to 10 s.
template <typename F>
bool WaitFor(F condition, int ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QTest::qSleep(5);
    }
    return true;
}

// Lets events run for a while.
void Spin(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

std::string TileTemplate(const LoopbackHttpServer& server) {
    return (server.BaseUrl() + "/tiles/{z}/{x}/{y}.png").toStdString();
}

TEST(InetConnection, NothingLeavesTheMachineWhileTheMapIsOff) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    CInetConnectionAsync checker({TileTemplate(server), {}});
    ASSERT_TRUE(WaitFor([&] { return checker.ProbeCount() >= 2; }));
    Spin(300);
    EXPECT_FALSE(checker.MapSwitch());
    EXPECT_FALSE(checker.Online());
    EXPECT_EQ(server.Requests(), 0);
}

TEST(InetConnection, ProbeFollowsTheTileServer) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    server.SetReply(200, "image/png", "png");
    CInetConnectionAsync checker(
        {"http://127.0.0.1:" + std::to_string(server.Port()) + "/tiles/0/0/0.png", {}});
    checker.SetMapSwitch(true);
    ASSERT_TRUE(WaitFor([&] { return checker.Online(); }));
    ASSERT_FALSE(server.RequestLines().isEmpty());
    EXPECT_EQ(server.RequestLines().first(), "HEAD /tiles/0/0/0.png HTTP/1.1");

    const quint16 port = server.Port();
    server.Stop();
    EXPECT_TRUE(WaitFor([&] { return !checker.Online(); }));
    ASSERT_TRUE(server.Start(port));
    EXPECT_TRUE(WaitFor([&] { return checker.Online(); }));

    // Switching off is offline at once, and the requests stop.
    checker.SetMapSwitch(false);
    EXPECT_FALSE(checker.Online());
    Spin(200);
    const int seen = server.Requests();
    Spin(1500);
    EXPECT_EQ(server.Requests(), seen);
}

TEST(InetConnection, AServerRefusingTheTileIsNotTheMapService) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    server.SetReply(404, "text/plain", "no");
    CInetConnectionAsync checker({TileTemplate(server), {}});
    checker.SetMapSwitch(true);
    ASSERT_TRUE(WaitFor([&] { return server.Requests() >= 2; }));
    EXPECT_FALSE(checker.Online());
}

TEST(InetConnection, LocalMapFileCountsAsReachable) {
    bool fileThere = true;
    std::atomic<int> asked{0};
    CInetConnectionAsync checker({"", [&] {
                                      ++asked;
                                      return fileThere;
                                  }});
    Spin(1200);
    EXPECT_EQ(asked.load(), 0);  // not asked while the map is off
    checker.SetMapSwitch(true);
    EXPECT_TRUE(WaitFor([&] { return checker.Online(); }));
    fileThere = false;
    EXPECT_TRUE(WaitFor([&] { return !checker.Online(); }));
}

TEST(InetConnection, StopEndsAProbeThatGetsNoAnswer) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    server.SetSilent(true);
    auto checker =
        std::make_unique<CInetConnectionAsync>(MapServiceProbe{TileTemplate(server), {}});
    checker->SetMapSwitch(true);
    ASSERT_TRUE(WaitFor([&] { return server.Requests() >= 1; }));
    checker->Stop();  // cancels the request under way and joins the thread
    EXPECT_FALSE(checker->Online());
    checker.reset();  // a second stop does nothing
}

TEST(FetchText, VersionFileWithMarker) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    const std::string url = (server.BaseUrl() + "/version.txt").toStdString();
    std::string out = "unchanged";

    server.SetReply(200, "text/plain", "VER:1.2.3");
    EXPECT_TRUE(CInetConnectionAsync::FetchText(out, url, "VER:"));
    EXPECT_EQ(out, "1.2.3");
    EXPECT_EQ(server.RequestLines().last(), "GET /version.txt HTTP/1.1");

    server.SetReply(200, "text/plain", "VER:1.2.3\n");
    EXPECT_TRUE(CInetConnectionAsync::FetchText(out, url, "VER:"));
    EXPECT_EQ(out, "1.2.3\n");

    out = "unchanged";
    server.SetReply(200, "text/plain", "1.2.3");
    EXPECT_FALSE(CInetConnectionAsync::FetchText(out, url, "VER:"));
    server.SetReply(404, "text/plain", "VER:1.2.3");
    EXPECT_FALSE(CInetConnectionAsync::FetchText(out, url, "VER:"));
    EXPECT_EQ(out, "unchanged");

    server.SetReply(200, "text/plain", QByteArray(200000, 'v'));  // read only as far as needed
    EXPECT_TRUE(CInetConnectionAsync::FetchText(out, url, ""));
    EXPECT_EQ(out, std::string(259, 'v'));
}

TEST(FetchText, FailsQuietlyWithoutAServer) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    const std::string url = (server.BaseUrl() + "/version.txt").toStdString();
    server.Stop();
    std::string out;
    EXPECT_FALSE(CInetConnectionAsync::FetchText(out, url, "VER:"));
    EXPECT_FALSE(CInetConnectionAsync::FetchText(out, "not a url", ""));
}

// The update check runs the fetch on a thread of its own.
TEST(FetchText, WorksOnAThreadOfItsOwn) {
    LoopbackHttpServer server;
    ASSERT_TRUE(server.Start());
    server.SetReply(200, "text/plain", "VER:4.5.6");
    const std::string url = (server.BaseUrl() + "/v.txt").toStdString();
    std::string out;
    std::atomic<bool> done{false};
    bool ok = false;
    std::thread worker([&] {
        ok = CInetConnectionAsync::FetchText(out, url, "VER:");
        done = true;
    });
    EXPECT_TRUE(WaitFor([&] { return done.load(); }));
    worker.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(out, "4.5.6");
}

// Requests go through the proxy named in the environment.
TEST(FetchText, UsesTheProxyOfTheEnvironment) {
    LoopbackHttpServer proxy;
    ASSERT_TRUE(proxy.Start());
    proxy.SetReply(200, "text/plain", "VER:7.0");
    const QByteArray old = qgetenv("http_proxy");
    const QByteArray oldNo = qgetenv("no_proxy");
    qputenv("http_proxy", proxy.BaseUrl());
    qunsetenv("no_proxy");
    std::string out;
    const bool ok =
        CInetConnectionAsync::FetchText(out, "http://updates.example.invalid/v.txt", "VER:");
    if (old.isEmpty())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", old);
    if (!oldNo.isEmpty()) qputenv("no_proxy", oldNo);
    EXPECT_TRUE(ok);
    EXPECT_EQ(out, "7.0");
    ASSERT_FALSE(proxy.RequestLines().isEmpty());
    EXPECT_EQ(proxy.RequestLines().last(), "GET http://updates.example.invalid/v.txt HTTP/1.1");
}

}  // namespace
}  // namespace quorva
