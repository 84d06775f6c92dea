#include "container/movie_box.h"

namespace quorva {

namespace {
std::atomic<int64_t> g_live{0};
std::atomic<int64_t> g_lastParse{0};
}  // namespace

int64_t LiveBoxCount() {
    return g_live.load();
}
int64_t LastParseBoxCount() {
    return g_lastParse.load();
}
void SetLastParseBoxCount(int64_t n) {
    g_lastParse.store(n);
}
void ResetBoxCounters() {
    g_live.store(0);
    g_lastParse.store(0);
}

BoxCountToken::BoxCountToken() {
    g_live.fetch_add(1);
}

BoxCountToken& BoxCountToken::operator=(BoxCountToken&& other) noexcept {
    if (this != &other) {
        Release();
        counted_ = other.counted_;
        other.counted_ = false;
    }
    return *this;
}

int64_t BoxCountToken::Release() {
    if (!counted_) return -1;
    counted_ = false;
    return g_live.fetch_sub(1);
}

}  // namespace quorva
