// Public movies of every kind (broken ones among them): opening, seeking, playing and closing
// never crash or hang; a movie the engine cannot decode simply shows no picture.
#include <filesystem>

#include "corpus.h"
#include "player_fixture.h"

namespace quorva::testing {
namespace {

TEST(Corpus, EveryMovieOpensSeeksPlaysAndClosesSafely) {
    const std::filesystem::path corpus = QUORVA_CORPUS_DIR;
    QUORVA_REQUIRE_CORPUS(corpus);
    TestPlayers players(1);
    PlayerSlot& s = players.slot(0);
    const int threads = ThreadCount();
    int opened = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        if (!entry.is_regular_file()) continue;
        const std::string path = entry.path().string();
        SCOPED_TRACE(path);
        const int result = s.ops->Open(s, path);
        EXPECT_GE(result, 0);
        EXPECT_LE(result, 2);
        if (s.engine) {
            ++opened;
            WaitForPicture(s, 5000);
            const int64_t frames = s.ops->GetDuration(s);
            s.ops->Seek(s, frames / 2);
            WaitForPicture(s, 5000);
            s.ops->Seek(s, frames + 10);
            WaitForPicture(s, 5000);
            s.ops->Seek(s, 0);
            s.ops->Play(s);
            players.outputs[0].WaitForPresents(players.outputs[0].PresentCount() + 3, 300);
            s.ops->SetRate(s, 4);
            s.ops->SetRate(s, 1);
            if (FramePtr p = CurrentPicture(s)) {
                EXPECT_GT(p->width, 0);
                EXPECT_GE(p->pixels.size(), static_cast<size_t>(p->stride) * p->height);
            }
        }
        EXPECT_EQ(s.ops->Close(s), 1);
        EXPECT_EQ(ThreadCountAfterSettling(threads), threads);
    }
    EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace quorva::testing
