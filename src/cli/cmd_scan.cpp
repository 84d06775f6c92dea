// quorva-cli scan [--kind 1|2|3] [--select NODE-PATH] SOURCE: the group tree after the scan
// and the catalogue of the first group (or of the node given).
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/json_writer.h"
#include "cli/recording_json.h"
#include "recordings/source_catalogue.h"

namespace quorva::cli {
namespace {

void WriteNodes(JsonWriter& json, const GroupTree& tree,
                const std::vector<std::unique_ptr<GroupNode>>& nodes) {
    json.BeginArray();
    for (const auto& node : nodes) {
        json.BeginObject();
        json.Field("text", node->text);
        json.Field("badge", static_cast<int64_t>(node->badge));
        json.Field("path", tree.PathOf(node.get()));
        json.Key("children");
        WriteNodes(json, tree, node->children);
        json.EndObject();
    }
    json.EndArray();
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Selects the node with the path, filling its ancestors on the way so that folders below
// the scanned tree are found too. False when no node has that path.
bool SelectNode(SourceCatalogue& catalogue, const std::string& wanted) {
    for (int step = 0; step < 8; ++step) {
        if (GroupNode* node = catalogue.Tree().FindByPath(wanted)) {
            catalogue.FillFromNode(node);
            return true;
        }
        GroupNode* ancestor = catalogue.Tree().Find([&](const GroupNode& n) {
            const std::string path = catalogue.Tree().PathOf(&n) + "/";
            return !n.expanded && wanted.compare(0, path.size(), path) == 0;
        });
        if (!ancestor) return false;
        catalogue.FillFromNode(ancestor);
    }
    return false;
}

int Scan(const std::vector<std::string>& args) {
    SourceArgs a;
    if (int rc = ParseSourceArgs(args, {"--kind", "--select"}, "scan", a)) return rc;
    const std::string& source = a.source;
    const int kind = a.kind;
    const std::string& select = a.options["--select"];

    SourceCatalogue catalogue(CliSourceEnvironment());
    catalogue.ScanSource(source, kind);
    // The tree as the scan left it; the selection below may rebuild a node's children.
    JsonWriter json;
    json.BeginObject();
    json.Field("kind", kind);
    json.Field("layout", catalogue.Layout());
    json.Field("recorder_folders", catalogue.RecorderFolders());
    json.Key("tree");
    WriteNodes(json, catalogue.Tree(), catalogue.Tree().Roots());
    if (select.empty()) {
        catalogue.SelectFirstGroup();
    } else if (!SelectNode(catalogue, WithoutTrailingSlash(select))) {
        std::fprintf(stderr, "scan: no node has the path %s\n", select.c_str());
        return 1;
    }
    json.Key("catalogue");
    json.BeginArray();
    for (const RecordingEntry& e : catalogue.Catalogue())
        WriteEntryJson(json, e);
    json.EndArray();
    json.EndObject();
    std::printf("%s\n", json.str().c_str());
    return 0;
}

const CliCommand kScan("scan", "[--kind 1|2|3] [--select NODE-PATH] SOURCE", Scan);

}  // namespace
}  // namespace quorva::cli
