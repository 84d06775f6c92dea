#include "map/map_scripts.h"

#include "map/fixed_text.h"

namespace quorva {

std::vector<std::string> LoadGridScripts(int recording, bool drawGroup) {
    std::vector<std::string> scripts = {kClearCrashPosScript, kRemoveLineListScript};
    if (drawGroup) scripts.push_back(kCreateLineScript);
    scripts.push_back("orbitgrplist.CreateGridLine(" + std::to_string(recording) + ")");
    return scripts;
}

std::string AddCrashPosScript(const CrashPos& p) {
    const std::string c = ",";
    return "cplist.AddCrashPos(" + std::to_string(p.icolor) + c + FixedSix(p.levelx) + c +
           FixedSix(p.levely) + c + FixedSix(p.levelz) + c + std::to_string(p.ifile) + c +
           std::to_string(p.igrid) + c + std::to_string(p.ipos) + c + FixedSix(p.lat) + c +
           FixedSix(p.lng) + c + std::to_string(p.valid) + c + FixedSix(p.speed) + c +
           FixedSix(p.direction) + ")";
}

std::optional<CrashPos> EventPinFor(int kind, const GSensorSample* sample, int recording) {
    if (!sample || !sample->linkedGps) return std::nullopt;
    const GpsSample& gps = *sample->linkedGps;
    if (gps.latitude == 0.0 && gps.longitude == 0.0) return std::nullopt;
    CrashPos out;
    out.icolor = kind;
    out.levelx = sample->g1;
    out.levely = sample->g2;
    out.levelz = sample->g3;
    out.ifile = 0;
    out.igrid = recording;
    out.ipos = sample->position;
    out.lat = gps.latitude;
    out.lng = gps.longitude;
    out.valid = gps.valid;
    out.speed = gps.speed;
    out.direction = gps.direction;
    return out;
}

}  // namespace quorva
