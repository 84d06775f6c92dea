// The merge of a further recording B into the merged movie A of a join: B's media data is
// chained behind A's, and the sample tables and durations of every track are joined so
// that the result plays as one movie.
#pragma once

#include <string>

#include "container/mp4_movie.h"

namespace quorva {

// True when B was merged. On false A is unchanged when the layouts differ (the checks run
// before anything is changed), and message says why.
bool MergeMovie(sMP4MOVIE& a, sMP4MOVIE& b, std::string* message = nullptr);

// Before the merged movie is written: when boxes ahead of the media data grew (a movie
// box before the media data), every chunk offset moves with the media data; a track whose
// offsets would pass 32 bits gets 64-bit ones ("co64"). False for a damaged table.
bool PlaceMediaData(sMP4MOVIE& a, std::string* message = nullptr);

// Whether a movie can be the first of a join: one top-level "mdat" and one "moov", every
// track with its tables copied, not fragmented and not cut short. message says why not.
bool CanStartJoin(const sMP4MOVIE& a, std::string* message = nullptr);

}  // namespace quorva
