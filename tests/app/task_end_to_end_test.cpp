// The worker tasks through the whole viewer, as its own start-up installs them: the CSV
// export, the joined movie, the delete and the GPS track export run from their buttons (and
// the recording list's menu) on a recorder card written for the test, with the FFmpeg
// engine, drawing offscreen. The test answers the questions (file selection, folder,
// messages) and may hold a task at one of its progress reports to cancel it there.
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "app/cquorva_dlg.h"
#include "app/cquorva_road.h"
#include "appcore/settings_store.h"
#include "appcore/task_texts.h"
#include "appcore/ui_text.h"
#include "browser/file_list_ctrl.h"
#include "browser/file_select_dlg.h"
#include "browser/filer_container_dlg.h"
#include "cardwriter/card_writer.h"
#include "container/mp4_movie.h"
#include "gpx_check.h"
#include "platform/file_attributes.h"
#include "recordings/recording_name.h"
#include "skin/skin_button.h"
#include "skin/skin_progress_bar.h"

namespace quorva::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Generous limits: the machine may be busy; nothing here measures time.
constexpr int kOpenLimitMs = 20000;
constexpr int kTaskLimitMs = 30000;

// Every file under root (relative paths) with its size.
std::map<std::string, uintmax_t> FilesUnder(const std::string& root) {
    std::map<std::string, uintmax_t> out;
    for (const auto& e : fs::recursive_directory_iterator(root))
        if (e.is_regular_file()) out[fs::relative(e.path(), root).string()] = e.file_size();
    return out;
}

std::vector<std::string> Lines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string FileName(const std::string& path) {
    return fs::path(path).filename().string();
}

class TaskEndToEndTest : public ::testing::Test {
  protected:
    // One card for the suite (two runs of three recordings of 3 s, 90 frames); each test works on
    // its own copy.
    static void SetUpTestSuite() {
        master_ = new QTemporaryDir;
        cardwriter::QuietCodecLogs();
        cardwriter::CardRecipe card;
        card.root = master_->path().toStdString() + "/card";
        card.runs = 2;
        card.perRun = 3;
        card.seconds = 3.0;
        card.extras = false;
        card.width = 320;
        card.height = 180;
        card.subWidth = 160;
        card.subHeight = 90;
        card.audio = false;
        const cardwriter::CardResult written = cardwriter::WriteDemoCard(card);
        ASSERT_TRUE(written.ok) << written.error;
        recordings_ = new std::vector<cardwriter::RecordingFiles>(written.recordings);
        // A backup copy of one run on a disk: main movies and drive data in "Main".
        card.root = master_->path().toStdString() + "/backup";
        card.backup = true;
        card.runs = 1;
        ASSERT_TRUE(cardwriter::WriteDemoCard(card).ok);
    }
    static void TearDownTestSuite() {
        delete recordings_;
        delete master_;
    }

    void SetUp() override {
        ASSERT_TRUE(temp_.isValid());
        dir_ = temp_.path().toStdString();
        SetSettingsDirectory(dir_);
        card_ = dir_ + "/card";
        fs::copy(master_->path().toStdString() + "/card", card_, fs::copy_options::recursive);
        backup_ = dir_ + "/backup";
        fs::copy(master_->path().toStdString() + "/backup", backup_, fs::copy_options::recursive);
        out_ = dir_ + "/out";
        fs::create_directories(out_);
    }

    // The path in this test's copy of recording i of the card.
    std::string Movie(size_t i) const {
        const std::string& movie = (*recordings_)[i].movie;
        return card_ + movie.substr(movie.rfind("/card") + 5);
    }

    // The recording's main movie in the backup copy.
    std::string BackupMovie(size_t i) const {
        return backup_ + "/Main/" + FileName((*recordings_)[i].movie);
    }

    // The card's copy as a card (kind 1), or the backup's "Main" folder as a folder (2).
    std::unique_ptr<CquorvaDlg> StartViewer(int kind = 1) {
        MainWindowOptions options;
        options.settingsDirectory = dir_;
        options.workArea = QRect(0, 0, 1920, 1056);
        StartupEnvironment env = DefaultStartupEnvironment();
        env.removableVolumes = [] { return std::vector<std::string>(); };
        env.workingDirectory = dir_;
        options.startup = env;
        options.sourceDialog = [this, kind](QWidget*) {
            return SourceChoice{kind, kind == 1 ? card_ : backup_ + "/Main"};
        };
        options.showMessage = [this](QWidget*, const std::string& text, const std::string&) {
            messages_.push_back(text);
            return answer_(text);
        };
        options.pickTaskFolder = [this](QWidget*, const std::string& title) {
            folderTitles_.push_back(title);
            return out_;
        };
        options.runFileSelect = [this](CFileSelectDlg& dialog) {
            ++dialogs_;
            tick_(dialog);
            dialog.Confirm();
            return dialog.result();
        };
        if (fileOps_) options.recordingFileOps = *fileOps_;
        options.taskProgressObserver = [this](TaskControl& control, uint64_t done, uint64_t total) {
            {
                std::lock_guard<std::mutex> lock(progressMutex_);
                progress_.emplace_back(done, total);
            }
            if (done == holdAt_.first && total == holdAt_.second) {
                held_ = true;
                while (control.Busy())  // until the user cancels
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        };
        auto window = std::make_unique<CquorvaDlg>(std::move(options));
        window->Initialize();
        window->show();
        QTest::qWait(10);
        window->OnCommand(ID_OPEN_SOURCE);
        return window;
    }

    static PlaybackController& Road(CquorvaDlg& w) { return w.OwnRoad()->Controller(); }

    // The recording of the list's row has started.
    static bool WaitStarted(CquorvaDlg& w, int row) {
        return QTest::qWaitFor(
            [&] {
                return Road(w).CurrentIndex() == row && Road(w).Started() && !Road(w).Opening();
            },
            kOpenLimitMs);
    }

    // The task has ended and the window has finished it.
    static bool WaitTaskEnd(CquorvaDlg& w) {
        return QTest::qWaitFor(
            [&] { return !w.TaskThreadAlive() && !w.ProgressBar()->isVisible(); }, kTaskLimitMs);
    }

    // Runs the command while the task is held at its progress report (done, total), then
    // cancels it with the stop button.
    void CancelAt(CquorvaDlg& w, int command, uint64_t done, uint64_t total) {
        holdAt_ = {done, total};
        w.OnCommand(command);
        ASSERT_TRUE(w.TaskThreadAlive());
        ASSERT_TRUE(QTest::qWaitFor([&] { return held_.load(); }, kTaskLimitMs));
        EXPECT_TRUE(w.ProgressBar()->isVisible());
        EXPECT_TRUE(w.Button(ID_PLAY_STOP)->isEnabled()) << "the stop button cancels";
        EXPECT_FALSE(w.Button(ID_OPEN_SOURCE)->isEnabled());
        w.OnCommand(ID_PLAY_STOP);
        EXPECT_FALSE(w.TaskThreadAlive());
        ASSERT_TRUE(WaitTaskEnd(w));
    }

    std::vector<std::pair<uint64_t, uint64_t>> Progress() {
        std::lock_guard<std::mutex> lock(progressMutex_);
        return progress_;
    }

    static QTemporaryDir* master_;
    static std::vector<cardwriter::RecordingFiles>* recordings_;

    QTemporaryDir temp_;
    std::string dir_, card_, backup_, out_;
    std::vector<std::string> messages_;
    std::vector<std::string> folderTitles_;
    std::function<int(const std::string&)> answer_ = [](const std::string&) { return 1; };
    std::function<void(CFileSelectDlg&)> tick_ = [](CFileSelectDlg&) {};
    int dialogs_ = 0;
    std::optional<RecordingFileOps> fileOps_;
    std::pair<uint64_t, uint64_t> holdAt_{UINT64_MAX, UINT64_MAX};
    std::atomic<bool> held_{false};
    std::mutex progressMutex_;
    std::vector<std::pair<uint64_t, uint64_t>> progress_;
};

QTemporaryDir* TaskEndToEndTest::master_ = nullptr;
std::vector<cardwriter::RecordingFiles>* TaskEndToEndTest::recordings_ = nullptr;

// --- CSV export -------------------------------------------------------------------------------

TEST_F(TaskEndToEndTest, TheCsvListIsWrittenAndThePlayingRecordingWaitsWhereItWas) {
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    for (int id : {ID_EXPORT_CSV, ID_SAVE_JOINED, ID_DELETE_FILES})
        EXPECT_TRUE(w->Button(id)->isEnabled()) << id;
    // Played a little and paused there.
    w->OnCommand(ID_PLAY_PAUSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Road(*w).Cursor() >= 5; }, kOpenLimitMs));
    w->OnCommand(ID_PLAY_PAUSE);
    ASSERT_EQ(w->Players().slot[0].state, SLOT_PAUSED);
    const int at = Road(*w).Cursor();
    ASSERT_GT(at, 0);

    w->OnCommand(ID_EXPORT_CSV);
    ASSERT_TRUE(WaitTaskEnd(*w));
    EXPECT_EQ(folderTitles_, std::vector<std::string>{UiText(101)});
    const std::vector<std::string> lines = Lines(out_ + "/Dv_20240518_091230.csv");
    ASSERT_EQ(lines.size(), 7u) << "the header and all six recordings of the card";
    EXPECT_EQ(lines[1].rfind(FileName(Movie(0)) + ",2024/05/18,09:12:30,00:00:03,", 0), 0u)
        << lines[1];
    EXPECT_EQ(lines[6].rfind(FileName(Movie(5)), 0), 0u);
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(44)});
    EXPECT_EQ(ReadSetting("FOLDERPATH", "CSV_FOLDER"), out_);
    EXPECT_EQ(Progress().back(), (std::pair<uint64_t, uint64_t>{6, 6}));

    // The recording opens again and waits, paused, where the export found it.
    ASSERT_TRUE(WaitStarted(*w, 0));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Road(*w).Cursor() == at; }, kOpenLimitMs));
    EXPECT_EQ(w->Players().slot[0].state, SLOT_PAUSED);
    EXPECT_TRUE(w->ControlsEnabled());

    // Again into the same folder: the user is asked, and a "no" writes nothing.
    answer_ = [](const std::string& text) { return text == UiText(90) ? 2 : 1; };
    messages_.clear();
    fs::resize_file(out_ + "/Dv_20240518_091230.csv", 5);
    w->OnCommand(ID_EXPORT_CSV);
    EXPECT_FALSE(w->TaskThreadAlive());
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(90)});
    EXPECT_EQ(fs::file_size(out_ + "/Dv_20240518_091230.csv"), 5u);
    w->RunShutdown();
}

TEST_F(TaskEndToEndTest, ACancelledCsvExportKeepsTheLinesWrittenSoFar) {
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    CancelAt(*w, ID_EXPORT_CSV, 1, 6);
    const std::vector<std::string> lines = Lines(out_ + "/Dv_20240518_091230.csv");
    EXPECT_EQ(lines.size(), 3u) << "the header and the two lines before the cancel";
    EXPECT_TRUE(messages_.empty()) << "no completion message";
    EXPECT_EQ(ReadSetting("FOLDERPATH", "CSV_FOLDER"), "");
    ASSERT_TRUE(WaitStarted(*w, 0));
    EXPECT_TRUE(w->ControlsEnabled());
    w->RunShutdown();
}

// --- Joined movie -----------------------------------------------------------------------------

TEST_F(TaskEndToEndTest, ConsecutiveRecordingsAreJoinedAndMarked) {
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    tick_ = [](CFileSelectDlg& d) {
        EXPECT_EQ(d.Selection().Mode(), FileSelectMode::kJoin);
        EXPECT_EQ(d.Selection().RowCount(), 3);
        d.ClickRow(0);
        d.ClickRow(2);  // the rows between are ticked too
    };
    w->OnCommand(ID_SAVE_JOINED);
    ASSERT_TRUE(WaitTaskEnd(*w));
    EXPECT_EQ(folderTitles_, std::vector<std::string>{UiText(100)});
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(44)});
    const std::string joined = out_ + "/" + FileName(Movie(0));
    auto movie = OpenMovie(joined, false, false);
    ASSERT_TRUE(movie);
    EXPECT_EQ(FrameCount(*movie), 3 * 90);
    EXPECT_TRUE(fs::exists(DriveDataPath(joined)));
    EXPECT_EQ(ReadSetting("FOLDERPATH", "CONNECT_FOLDER"), out_);
    const auto& catalogue = w->Browser()->Catalogue().Catalogue();
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(catalogue[i].joinedMark, 1) << i;

    // The next join shows the marks, and asks before it replaces the movie.
    tick_ = [](CFileSelectDlg& d) {
        EXPECT_EQ(d.Selection().Rows()[1].joinedMark, 1);
        d.ClickRow(0);
    };
    answer_ = [](const std::string& text) { return text == UiText(90) ? 2 : 1; };
    messages_.clear();
    const auto before = fs::last_write_time(joined);
    ASSERT_TRUE(WaitStarted(*w, 0));
    w->OnCommand(ID_SAVE_JOINED);
    EXPECT_EQ(dialogs_, 2);
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(90)});
    EXPECT_FALSE(w->TaskThreadAlive());
    EXPECT_EQ(fs::last_write_time(joined), before);
    w->RunShutdown();
}

TEST_F(TaskEndToEndTest, ACancelledJoinWritesNothing) {
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    tick_ = [](CFileSelectDlg& d) {
        d.ClickRow(0);
        d.ClickRow(2);
    };
    CancelAt(*w, ID_SAVE_JOINED, 1, 3);
    EXPECT_TRUE(fs::is_empty(out_));
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(w->Browser()->Catalogue().Catalogue()[0].joinedMark, 0);
    w->RunShutdown();
}

TEST_F(TaskEndToEndTest, AFailingJoinLeavesNoOutputBehind) {
    // The second recording's movie is cut short, as by a pulled card.
    fs::resize_file(Movie(1), fs::file_size(Movie(1)) / 3);
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    tick_ = [](CFileSelectDlg& d) {
        d.ClickRow(0);
        d.ClickRow(2);
    };
    w->OnCommand(ID_SAVE_JOINED);
    ASSERT_TRUE(WaitTaskEnd(*w));
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(92)});
    EXPECT_TRUE(fs::is_empty(out_));
    EXPECT_EQ(ReadSetting("FOLDERPATH", "CONNECT_FOLDER"), "");
    EXPECT_EQ(w->Browser()->Catalogue().Catalogue()[0].joinedMark, 0);
    w->RunShutdown();
}

// --- Delete -----------------------------------------------------------------------------------

TEST_F(TaskEndToEndTest, DeletingRetiresTheTickedRecordingsOnTheCardAndNothingElse) {
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    const auto before = FilesUnder(card_);
    tick_ = [](CFileSelectDlg& d) {
        EXPECT_EQ(d.Selection().Mode(), FileSelectMode::kDelete);
        d.ClickRow(1);
        d.ClickRow(2);
    };
    w->OnCommand(ID_DELETE_FILES);
    ASSERT_TRUE(WaitTaskEnd(*w));
    // The last ticked first; then the end.
    EXPECT_EQ(Progress(), (std::vector<std::pair<uint64_t, uint64_t>>{{0, 2}, {1, 2}, {2, 2}}));
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(44)});
    // Exactly the two recordings' movies and drive data were retired.
    const auto after = FilesUnder(card_);
    std::set<std::string> gone, added;
    for (const auto& [file, size] : before)
        if (!after.count(file)) gone.insert(FileName(file));
    for (const auto& [file, size] : after) {
        if (!before.count(file))
            added.insert(FileName(file));
        else
            EXPECT_EQ(size, before.at(file)) << file;
    }
    const std::string n1 = FileName(Movie(1)).substr(0, 25), n2 = FileName(Movie(2)).substr(0, 25);
    EXPECT_EQ(gone,
              (std::set<std::string>{n1 + "M.MOV", n1 + "D.ADA", n2 + "M.MOV", n2 + "D.ADA"}));
    EXPECT_EQ(added,
              (std::set<std::string>{n1 + "M.DMY", n1 + "D.TDA", n2 + "M.DMY", n2 + "D.TDA"}));
    // The source is read again: the group lists the one recording left, which plays.
    ASSERT_TRUE(WaitStarted(*w, 0));
    EXPECT_EQ(w->Browser()->RowCount(), 1);
    EXPECT_EQ(w->Browser()->Rows()[0].path, Movie(0));
    EXPECT_TRUE(w->CsvAllowed());
    w->RunShutdown();
}

TEST_F(TaskEndToEndTest, ACancelledDeleteKeepsWhatItDeletedAndLeavesTheRest) {
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    tick_ = [](CFileSelectDlg& d) {
        d.ClickShowAll();  // every recording of the card
        ASSERT_EQ(d.Selection().RowCount(), 6);
        for (int row : {1, 2, 4, 5})
            d.ClickRow(row);
    };
    CancelAt(*w, ID_DELETE_FILES, 0, 4);
    EXPECT_FALSE(fs::exists(Movie(5))) << "the one deleted before the cancel";
    for (size_t i : {0, 1, 2, 3, 4})
        EXPECT_TRUE(fs::exists(Movie(i))) << i;
    EXPECT_TRUE(messages_.empty());
    // What was deleted has left the list.
    ASSERT_TRUE(WaitStarted(*w, 0));
    EXPECT_EQ(w->Browser()->Catalogue().ListAllRecordings().size(), 5u);
    w->RunShutdown();
}

TEST_F(TaskEndToEndTest, TheOpenRecordingIsClosedAndLetGoBeforeItIsDeleted) {
    std::mutex mutex;
    std::map<std::string, Clock::time_point> hidden;
    RecordingFileOps ops;
    ops.setHidden = [&](const std::string& path) {
        std::lock_guard<std::mutex> lock(mutex);
        hidden.emplace(FileName(path), Clock::now());
        return platform::SetHiddenAttribute(path);
    };
    ops.moveToTrash = [](const std::string&) { return false; };
    fileOps_ = ops;
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    w->OnCommand(ID_PLAY_PAUSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Road(*w).Cursor() >= 5; }, kOpenLimitMs));
    tick_ = [](CFileSelectDlg& d) {
        d.ClickRow(0);  // the one playing
        d.ClickRow(1);
    };
    const Clock::time_point start = Clock::now();
    w->OnCommand(ID_DELETE_FILES);
    // The players were closed before the task began.
    EXPECT_EQ(w->Players().slot[0].state, SLOT_CLOSED);
    EXPECT_EQ(w->Players().slot[1].state, SLOT_CLOSED);
    EXPECT_FALSE(Road(*w).Started());
    ASSERT_TRUE(WaitTaskEnd(*w));
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(44)});
    const std::string open = FileName(Movie(0)), other = FileName(Movie(1));
    ASSERT_EQ(hidden.count(open), 1u);
    ASSERT_EQ(hidden.count(other), 1u);
    EXPECT_LT(hidden[other], hidden[open]) << "the last ticked first";
    EXPECT_GE(hidden[open] - start, std::chrono::seconds(1)) << "a second to let go of it";
    EXPECT_FALSE(fs::exists(Movie(0)));
    EXPECT_FALSE(fs::exists(Movie(1)));
    // The source is read again and its first recording plays.
    ASSERT_TRUE(WaitStarted(*w, 0));
    EXPECT_EQ(w->Browser()->Rows()[0].path, Movie(2));
    w->RunShutdown();
}

TEST_F(TaskEndToEndTest, InAFolderTheFilesGoToTheTrashAndAFailureIsReportedByName) {
    const std::string trash = dir_ + "/trash";
    fs::create_directories(trash);
    const std::string locked = FileName(BackupMovie(1)).substr(0, 25);
    RecordingFileOps ops;
    ops.volumeRoot = [](const std::string&) { return std::string(); };
    ops.setHidden = [](const std::string&) { return false; };
    ops.moveToTrash = [&](const std::string& path) {
        if (FileName(path).rfind(locked, 0) == 0) return false;
        std::error_code ec;
        fs::rename(path, trash + "/" + FileName(path), ec);
        return !ec;
    };
    fileOps_ = ops;
    auto w = StartViewer(2);
    ASSERT_EQ(w->SourceKind(), 2);
    ASSERT_TRUE(WaitStarted(*w, 0));
    EXPECT_TRUE(w->Button(ID_SAVE_JOINED)->isEnabled());
    EXPECT_TRUE(w->Button(ID_EXPORT_CSV)->isEnabled());
    tick_ = [](CFileSelectDlg& d) {
        for (int row : {0, 1, 2})
            d.ClickRow(row);
    };
    w->OnCommand(ID_DELETE_FILES);
    ASSERT_TRUE(WaitTaskEnd(*w));
    ASSERT_EQ(messages_.size(), 1u) << "the failure, and no completion message";
    EXPECT_EQ(messages_[0].rfind(UiText(94), 0), 0u);
    EXPECT_NE(messages_[0].find(TaskTextOf(TaskText::kNotDeleted)), std::string::npos);
    EXPECT_NE(messages_[0].find(FileName(BackupMovie(1))), std::string::npos);
    EXPECT_EQ(messages_[0].find(FileName(BackupMovie(0))), std::string::npos);
    // The movie, the second camera's movie and the drive data of the two others.
    std::set<std::string> trashed;
    for (const auto& e : fs::directory_iterator(trash))
        trashed.insert(e.path().filename().string());
    std::set<std::string> expected;
    for (size_t i : {0, 2}) {
        const std::string n = FileName(BackupMovie(i)).substr(0, 25);
        expected.insert({n + "M.MOV", n + "S.MOV", n + "D.ADA"});
    }
    EXPECT_EQ(trashed, expected);
    EXPECT_TRUE(fs::exists(BackupMovie(1)));
    ASSERT_TRUE(WaitStarted(*w, 0));
    EXPECT_EQ(w->Browser()->Rows()[0].path, BackupMovie(1));
    w->RunShutdown();
}

// --- GPS track --------------------------------------------------------------------------------

// Chooses the menu item with the command id in the popup that opens next.
void ChooseMenuItemSoon(int command) {
    QTimer::singleShot(200, [command] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (QAction* action : menu->actions()) {
            if (action->data().toInt() == command && action->isEnabled()) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
    });
}

TEST_F(TaskEndToEndTest, TheGpxFileOfAGroupWithANoFixStretchHasTwoSegments) {
    // The first group keeps its first recording alone, whose fix is lost for half a second
    // in its middle (it has none in its first 1.2 s either).
    for (size_t i : {1, 2})
        for (const std::string& f : {Movie(i), SubCameraPath(Movie(i)), DriveDataPath(Movie(i))})
            fs::remove(f);
    {
        std::fstream data(DriveDataPath(Movie(0)), std::ios::in | std::ios::out | std::ios::binary);
        for (int record = 15; record < 20; ++record) {
            data.seekp(34 + 124 * record + 5);
            data.put('V');
        }
    }
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    ASSERT_EQ(w->Browser()->RowCount(), 1);
    // The recording list's menu, over its row.
    CFileListCtrl* list = w->Browser()->List();
    const QPoint at =
        list->viewport()->mapToGlobal(list->visualRect(list->model()->index(0, 0)).center());
    ChooseMenuItemSoon(ID_EXPORT_GPX_GROUP);
    w->OnRecordingContextMenu(0, at.x(), at.y());
    ASSERT_TRUE(WaitTaskEnd(*w));
    EXPECT_EQ(messages_, std::vector<std::string>{UiText(44)});
    const std::string gpx = out_ + "/" + FileName(Movie(0)).substr(0, 26) + ".gpx";
    const GpxCheck c = CheckGpx(gpx);
    ASSERT_TRUE(c.valid) << c.problem;
    EXPECT_EQ(c.segmentPoints.size(), 2u);
    EXPECT_EQ(c.points, 30 - 12 - 5);
    EXPECT_EQ(c.timed, c.points);
    EXPECT_EQ(c.firstTime.substr(0, 11), "2024-05-18T");
    EXPECT_EQ(ReadSetting("FOLDERPATH", "GPX_FOLDER"), out_);
    ASSERT_TRUE(WaitStarted(*w, 0));
    w->RunShutdown();
}

TEST_F(TaskEndToEndTest, TheGpxFileOfOneRecordingAndItsCancel) {
    auto w = StartViewer();
    ASSERT_TRUE(WaitStarted(*w, 0));
    w->Browser()->SelectRecordingRow(1, false);
    ASSERT_TRUE(WaitStarted(*w, 1));
    CancelAt(*w, ID_EXPORT_GPX, 1, 1);
    EXPECT_TRUE(fs::is_empty(out_)) << "a cancelled export writes nothing";
    EXPECT_TRUE(messages_.empty());

    holdAt_ = {UINT64_MAX, UINT64_MAX};
    ASSERT_TRUE(WaitStarted(*w, 1));
    w->OnCommand(ID_EXPORT_GPX);
    ASSERT_TRUE(WaitTaskEnd(*w));
    const GpxCheck c = CheckGpx(out_ + "/" + FileName(Movie(1)).substr(0, 26) + ".gpx");
    ASSERT_TRUE(c.valid) << c.problem;
    EXPECT_EQ(c.segmentPoints, std::vector<int>{30});
    EXPECT_EQ(c.speeds, 30);
    ASSERT_TRUE(WaitStarted(*w, 1));
    w->RunShutdown();
}

}  // namespace
}  // namespace quorva::test
