// CPreviewWindow: the hover preview's popup ("TipWindow"), a borderless black tool window
// of 220 s x 220 s x 9 / 16 holding one picture inside a thin grey frame, and the preview player
// (CMFSession) that plays the hovered recording in it. The player is worked on a thread of its own,
// so that opening a recording never holds up the list the mouse moves over: a newer request
// replaces an older one that has not begun, and the result of an older open that was
// overtaken is never shown. Hiding the window stops and closes the player.
#pragma once

#include <QString>
#include <QWidget>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/app_message_event.h"
#include "player/preview_session.h"

namespace quorva {

class QtVideoWidget;

class CPreviewWindow : public QWidget {
    Q_OBJECT

  public:
    explicit CPreviewWindow(QWidget* owner = nullptr);
    // Ends the player's thread (the player is stopped and closed on it) and joins it.
    ~CPreviewWindow() override;

    // The popup's size at UI scale s: int(220 s) x int(220 s x 9 / 16).
    static QSize SizeAt(double s);
    void ApplyScale(double s);

    // The preview sequence for a recording: stop (when playing), close, open, play without
    // loop and pause, which leaves the first picture on screen. Runs off this thread; the
    // popup stays black until that picture is there (previewShown), and hides itself when
    // the recording cannot be opened (previewFailed).
    void Preview(const std::string& path);
    // Stop (when playing) and close; pending requests are dropped.
    void StopPreview();

    // What the player shows: the recording of the last request whose picture is on screen
    // ("" when none, or while a newer request is under way).
    QString ShownPath() const { return shownPath_; }
    // Opens the player's thread has begun (requests overtaken before they began are not
    // counted).
    int OpensBegun() const { return opensBegun_.load(); }
    // No request waiting or running.
    bool Idle() const;
    // The player's flags (CMFSession::Flags) as the last request left them.
    uint32_t PlayerFlags() const { return playerFlags_.load(); }
    QtVideoWidget* Video() const { return video_; }

  signals:
    void previewShown(const QString& path);
    void previewFailed(const QString& path);

  protected:
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    static QRect PictureRect(QSize size);
    struct Request {
        uint64_t serial = 0;
        std::string path;  // empty: only stop and close
    };
    void Submit(std::string path);
    void Run();
    void OnRequestDone(uint64_t serial, bool opened);

    QtVideoWidget* video_ = nullptr;
    QtMessageTarget messages_{this};
    std::unique_ptr<CMFSession> session_;  // worked on the player's thread only
    QString shownPath_;
    std::string requestedPath_;  // of the latest request (this thread)

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    std::vector<intptr_t> events_;  // session events for HandleEvent
    bool running_ = false;
    bool stop_ = false;
    std::atomic<uint64_t> latest_{0};
    std::atomic<int> opensBegun_{0};
    std::atomic<uint32_t> playerFlags_{0};
    std::thread thread_;  // last: it uses everything above
};

}  // namespace quorva
