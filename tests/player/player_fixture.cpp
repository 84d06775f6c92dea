#include "player_fixture.h"

#include <dirent.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace quorva::testing {

TempFolder::TempFolder() {
    std::string templ = (std::filesystem::temp_directory_path() / "quorva-player-XXXXXX").string();
    path_ = mkdtemp(templ.data()) ? templ : std::string();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

std::string WriteStampedMovie(const TempFolder& folder, const std::string& name, int frames,
                              cardwriter::FrameRate rate, int gop, int camera, int width,
                              int height, bool audio) {
    cardwriter::MovieRecipe desc;
    desc.width = width;
    desc.height = height;
    desc.rate = rate;
    desc.frames = frames;
    desc.gop = gop;
    desc.camera = camera;
    desc.audio = audio;
    std::string error;
    const std::string path = folder.File(name);
    EXPECT_TRUE(cardwriter::WriteMovie(path, desc, &error)) << error;
    return path;
}

int StampedFrame(const VideoFrame& picture, int* camera) {
    auto stamp = cardwriter::ReadFrameStamp(picture.pixels.data(), picture.width, picture.height,
                                            picture.stride, cardwriter::StampPixels::kBgra32);
    if (!stamp) return -1;
    if (camera) *camera = stamp->camera;
    return stamp->frame;
}

TestPlayers::TestPlayers(int slots) {
    for (int i = 0; i < slots; ++i) {
        PlayerSlot& s = group.slot[i];
        if (s.ops->Initialize(s, MovieWindowLink{&outputs[i], &messages[i]}, "Noto Sans CJK JP"))
            s.valid = 1;
    }
}

TestPlayers::~TestPlayers() {
    for (PlayerSlot& s : group.slot)
        s.ops->Uninitialize(s);
}

int ThreadCount() {
    int n = 0;
    if (DIR* d = opendir("/proc/self/task")) {
        while (dirent* e = readdir(d))
            n += e->d_name[0] != '.';
        closedir(d);
    }
    return n;
}

int ThreadCountAfterSettling(int expected) {
    // A joined thread can stay listed for a moment while the kernel finishes it; a thread
    // that was never joined stays for good.
    int n = ThreadCount();
    for (int waited = 0; n != expected && waited < 2000; waited += 5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        n = ThreadCount();
    }
    return n;
}

}  // namespace quorva::testing
