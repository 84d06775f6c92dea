#include "player/preview_window.h"

#include <QHideEvent>
#include <QPainter>
#include <QResizeEvent>

#include "appcore/ui_scale.h"
#include "player/ffmpeg_slot_engine.h"
#include "player/qt_video_widget.h"

namespace quorva {

namespace {

// The player's thread reports the end of a request: wParam = its serial, lParam = 1 when
// the recording opened and its first picture is shown.
constexpr uint32_t kPreviewRequestDone = 0x1402;
constexpr int kFirstPictureMs = 3000;

}  // namespace

CPreviewWindow::CPreviewWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("TipWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    video_ = new QtVideoWidget(this);
    video_->SetPicturePainting(false);
    session_ = std::make_unique<CMFSession>(video_, &messages_);
    ApplyScale(UiScale());
    thread_ = std::thread([this] { Run(); });
}

CPreviewWindow::~CPreviewWindow() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        pending_.reset();
        latest_.fetch_add(1);
    }
    wake_.notify_all();
    thread_.join();
    session_.reset();
}

QSize CPreviewWindow::SizeAt(double s) {
    return QSize(Scaled(220, s), Scaled(220.0 * 9.0 / 16.0, s));
}

void CPreviewWindow::ApplyScale(double s) {
    const QSize size = SizeAt(s);
    resize(size);
    video_->setGeometry(PictureRect(size));  // a hidden window gets no resize event
}

QRect CPreviewWindow::PictureRect(QSize size) {
    // Inside a one-pixel frame that sets the popup off from what lies under it.
    return QRect(QPoint(0, 0), size).adjusted(1, 1, -1, -1);
}

void CPreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    video_->setGeometry(PictureRect(size()));
}

void CPreviewWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.setPen(QColor(170, 170, 170));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CPreviewWindow::Preview(const std::string& path) {
    if (path.empty()) return;
    requestedPath_ = path;
    shownPath_.clear();
    // Black until the new picture is there: the old one belongs to another row.
    video_->SetPicturePainting(false);
    Submit(path);
}

void CPreviewWindow::StopPreview() {
    requestedPath_.clear();
    shownPath_.clear();
    video_->SetPicturePainting(false);
    Submit({});
}

bool CPreviewWindow::Idle() const {
    std::lock_guard lock(mutex_);
    return !pending_ && !running_ && events_.empty();
}

void CPreviewWindow::Submit(std::string path) {
    {
        std::lock_guard lock(mutex_);
        if (stop_) return;
        pending_ = Request{latest_.fetch_add(1) + 1, std::move(path)};
    }
    wake_.notify_all();
}

void CPreviewWindow::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stop_ || pending_ || !events_.empty(); });
        if (stop_) break;
        std::vector<intptr_t> events;
        events.swap(events_);
        std::optional<Request> request;
        request.swap(pending_);
        running_ = true;
        lock.unlock();

        for (intptr_t e : events)
            session_->HandleEvent(e);
        if (request) {
            if (session_->IsPlaying()) session_->Stop();
            session_->Close();
            bool opened = false;
            // A request overtaken meanwhile is not begun at all.
            if (!request->path.empty() && request->serial == latest_.load()) {
                opensBegun_.fetch_add(1);
                opened = session_->OpenURL(request->path) == kPreviewOk;
                if (opened) {
                    session_->Play(false);
                    session_->TogglePause();
                    opened = session_->Engine()->WaitForPicture(kFirstPictureMs);
                }
            }
            playerFlags_.store(session_->Flags());
            messages_.PostAppMessage(kPreviewRequestDone, static_cast<uintptr_t>(request->serial),
                                     opened ? 1 : 0);
        }

        lock.lock();
        running_ = false;
    }
    lock.unlock();
    if (session_->IsPlaying()) session_->Stop();
    session_->Close();
    playerFlags_.store(session_->Flags());
}

bool CPreviewWindow::event(QEvent* e) {
    if (e->type() == AppMessageEvent::EventType()) {
        const auto* message = static_cast<AppMessageEvent*>(e);
        if (message->id() == kPreviewSessionEvent) {
            {
                std::lock_guard lock(mutex_);
                events_.push_back(message->lParam());
            }
            wake_.notify_all();
        } else if (message->id() == kPreviewRequestDone) {
            OnRequestDone(static_cast<uint64_t>(message->wParam()), message->lParam() != 0);
        }
        return true;
    }
    return QWidget::event(e);
}

void CPreviewWindow::OnRequestDone(uint64_t serial, bool opened) {
    if (serial != latest_.load() || requestedPath_.empty()) return;  // overtaken, or a stop
    const QString path = QString::fromStdString(requestedPath_);
    if (!opened) {
        requestedPath_.clear();
        hide();
        emit previewFailed(path);
        return;
    }
    shownPath_ = path;
    video_->SetPicturePainting(true);
    video_->update();
    emit previewShown(path);
}

void CPreviewWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!requestedPath_.empty() || !shownPath_.isEmpty()) StopPreview();
}

}  // namespace quorva
