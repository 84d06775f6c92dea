#include "container/known_box_types.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <vector>

namespace quorva {

namespace {

// In their stored order ("xml " appears twice).
constexpr const char* kKnownTypes[] = {
    "ainf", "avcn", "bloc", "bpcc", "buff", "bxml", "ccid", "cdef", "clip", "cmap", "co64", "colr",
    "crgn", "crhd", "cslg", "ctab", "ctts", "cvru", "dinf", "dref", "dsgd", "dstg", "edts", "elst",
    "fdel", "feci", "fecr", "fiin", "fire", "fpar", "free", "frma", "ftyp", "gitn", "grpi", "hdlr",
    "hmhd", "hpix", "icnu", "ID32", "idat", "ihdr", "iinf", "iloc", "imap", "imif", "infe", "infu",
    "iods", "iphd", "ipmc", "ipro", "iref", "jP  ", "jp2c", "jp2h", "jp2i", "kmat", "leva", "load",
    "lrcu", "m7hd", "matt", "mdat", "mdhd", "mdia", "mdri", "meco", "mehd", "mere", "meta", "mfhd",
    "mfra", "mfro", "minf", "mjhd", "moof", "moov", "mvcg", "mvci", "mvex", "mvhd", "mvra", "nmhd",
    "ochd", "odaf", "odda", "odhd", "odhe", "odrb", "odrm", "odtt", "ohdr", "padb", "paen", "pclr",
    "pdin", "pitm", "pnot", "prft", "res ", "resc", "resd", "rinf", "saio", "saiz", "sbgp", "schi",
    "schm", "sdep", "sdhd", "sdtp", "sdvp", "segr", "senc", "sgpd", "sidx", "sinf", "skip", "smhd",
    "srmb", "srmc", "srpp", "ssix", "stbl", "stco", "stdp", "sthd", "strd", "stri", "stsc", "stsd",
    "stsg", "stsh", "stss", "stsz", "stts", "styp", "stz2", "subs", "swtc", "tfad", "tfdt", "tfhd",
    "tfma", "tfra", "tibr", "tiri", "tkhd", "traf", "trak", "tref", "trex", "trgr", "trik", "trun",
    "udta", "uinf", "UITS", "ulst", "url ", "uuid", "vmhd", "vwdi", "xml ", "xml ", "udat", "ICAT"};

std::vector<uint32_t>& Table() {
    static std::vector<uint32_t> table;
    return table;
}
std::once_flag g_built;

uint32_t Code(const uint8_t* t) {
    return (uint32_t{t[0]} << 24) | (uint32_t{t[1]} << 16) | (uint32_t{t[2]} << 8) | t[3];
}

}  // namespace

void BuildKnownTypes() {
    std::call_once(g_built, [] {
        auto& table = Table();
        for (const char* t : kKnownTypes)
            table.push_back(Code(reinterpret_cast<const uint8_t*>(t)));
        std::sort(table.begin(), table.end());
        table.erase(std::unique(table.begin(), table.end()), table.end());
    });
}

bool IsKnownBoxType(const uint8_t* type) {
    BuildKnownTypes();
    const auto& table = Table();
    return std::binary_search(table.begin(), table.end(), Code(type));
}

size_t KnownTypeCount() {
    BuildKnownTypes();
    return Table().size();
}

}  // namespace quorva
