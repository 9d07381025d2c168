#include "pptx/parts/Timing.hpp"

#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "pptx/xml/Elements.hpp"

namespace velmora::pptx::parts::timing {

namespace {

constexpr std::string_view kSlideOrder[] = {"p:cSld", "p:clrMapOvr", "p:transition", "p:timing", "p:extLst"};
constexpr std::string_view kTimingOrder[] = {"p:tnLst", "p:bldLst", "p:extLst"};

bool IsNodeType(pugi::xml_node timeNode, std::string_view type)
{
    return type == timeNode.attribute("nodeType").value();
}

bool IsEffect(pugi::xml_node node)
{
    return std::string_view(node.name()) == "p:cTn" && node.attribute("presetClass");
}

// The elements that build the tree of time nodes; behaviours and media
// below them hold no effects and are not walked.
bool IsTimeContainer(std::string_view name)
{
    return name == "p:cTn" || name == "p:childTnLst" || name == "p:par" || name == "p:seq" || name == "p:excl" ||
           name == "p:tnLst";
}

// Visits the time nodes (<p:cTn>) of the tree in document order; a visit
// that returns false skips the node's children.
template <typename Visit>
void ForEachTimeNode(pugi::xml_node under, Visit&& visit)
{
    for (pugi::xml_node child = under.first_child(); child; child = child.next_sibling()) {
        const std::string_view name = child.name();
        if (!IsTimeContainer(name) || (name == "p:cTn" && !visit(child))) {
            continue;
        }
        ForEachTimeNode(child, visit);
    }
}

pugi::xml_node TimeNodeOfType(pugi::xml_node slide, std::string_view type)
{
    pugi::xml_node found;
    ForEachTimeNode(slide.child("p:timing"), [&](pugi::xml_node timeNode) {
        if (!found && IsNodeType(timeNode, type)) {
            found = timeNode;
        }
        return !found;
    });
    return found;
}

}  // namespace

pugi::xml_node MainSequence(pugi::xml_node slide)
{
    return TimeNodeOfType(slide, "mainSeq");
}

namespace {

std::vector<pugi::xml_node> AllEffects(pugi::xml_node under)
{
    std::vector<pugi::xml_node> effects;
    ForEachTimeNode(under, [&](pugi::xml_node timeNode) {
        if (IsEffect(timeNode)) {
            effects.push_back(timeNode);
            return false;
        }
        return true;
    });
    return effects;
}

unsigned TargetShape(pugi::xml_node effect)
{
    pugi::xml_node target = effect.find_node([](pugi::xml_node n) { return std::string_view(n.name()) == "p:spTgt"; });
    return xml::NumberAttribute<unsigned>(target, "spid", 0);
}

// Removes `node` and climbs up through the time containers it leaves empty,
// stopping below `keep`.
void RemoveAndPrune(pugi::xml_node node, pugi::xml_node keep)
{
    pugi::xml_node list = node.parent();
    list.remove_child(node);
    while (list && !xml::HasElementChildren(list)) {
        pugi::xml_node timeNode = list.parent();
        if (timeNode == keep || !timeNode.parent() || std::string_view(timeNode.parent().name()) != "p:par") {
            break;
        }
        pugi::xml_node container = timeNode.parent();
        list = container.parent();
        list.remove_child(container);
    }
}

// Build entries (bldP, bldGraphic, ...) whose shape and group no effect uses any more.
void DropUnusedBuilds(pugi::xml_node timingNode)
{
    pugi::xml_node builds = timingNode.child("p:bldLst");
    if (!builds) {
        return;
    }
    std::set<std::pair<unsigned, std::string>> used;
    for (pugi::xml_node effect : AllEffects(timingNode)) {
        used.emplace(TargetShape(effect), effect.attribute("grpId").value());
    }
    std::vector<pugi::xml_node> unused;
    for (pugi::xml_node build : builds.children()) {
        if (build.type() == pugi::node_element &&
            !used.contains({xml::NumberAttribute<unsigned>(build, "spid", 0), build.attribute("grpId").value()})) {
            unused.push_back(build);
        }
    }
    for (pugi::xml_node build : unused) {
        builds.remove_child(build);
    }
    if (!xml::HasElementChildren(builds)) {
        timingNode.remove_child(builds);
    }
}

// Drops the main sequence once it holds no effect, and the timing once its
// root holds nothing else.
void DropEmptySequence(pugi::xml_node slide)
{
    pugi::xml_node sequence = MainSequence(slide);
    if (!sequence || !AllEffects(sequence).empty()) {
        return;
    }
    pugi::xml_node seq = sequence.parent();
    pugi::xml_node rootList = seq.parent();
    rootList.remove_child(seq);
    if (!xml::HasElementChildren(rootList)) {
        slide.remove_child(slide.child("p:timing"));
    }
}

// One more than the highest id of any time node, behaviours included.
unsigned NextTimeNodeId(pugi::xml_node timingNode)
{
    unsigned highest = 0;
    for (pugi::xpath_node timeNode : timingNode.select_nodes(".//p:cTn")) {
        highest = std::max(highest, xml::NumberAttribute<unsigned>(timeNode.node(), "id", 0));
    }
    return highest + 1;
}

pugi::xml_node RootTimeNode(pugi::xml_node timingNode)
{
    pugi::xml_node list = xml::ChildInOrder(timingNode, "p:tnLst", kTimingOrder);
    pugi::xml_node root = list.child("p:par").child("p:cTn");
    if (!root) {
        root = list.append_child("p:par").append_child("p:cTn");
        root.append_attribute("id") = NextTimeNodeId(timingNode);
        root.append_attribute("dur") = "indefinite";
        root.append_attribute("restart") = "never";
        root.append_attribute("nodeType") = "tmRoot";
    }
    return root;
}

pugi::xml_node MakeMainSequence(pugi::xml_node timingNode)
{
    pugi::xml_node root = RootTimeNode(timingNode);
    pugi::xml_node children = root.child("p:childTnLst") ? root.child("p:childTnLst") : root.append_child("p:childTnLst");
    const std::string id = std::to_string(NextTimeNodeId(timingNode));
    const std::string sequence =
        R"(<p:seq concurrent="1" nextAc="seek"><p:cTn id=")" + id +
        R"(" dur="indefinite" nodeType="mainSeq"><p:childTnLst/></p:cTn>)"
        R"(<p:prevCondLst><p:cond evt="onPrev" delay="0"><p:tgtEl><p:sldTgt/></p:tgtEl></p:cond></p:prevCondLst>)"
        R"(<p:nextCondLst><p:cond evt="onNext" delay="0"><p:tgtEl><p:sldTgt/></p:tgtEl></p:cond></p:nextCondLst></p:seq>)";
    // The main sequence comes before any interactive one.
    pugi::xml_document fragment;
    fragment.load_string(sequence.c_str());
    pugi::xml_node first = children.first_child();
    pugi::xml_node added = first ? children.insert_copy_before(fragment.first_child(), first)
                                 : children.append_copy(fragment.first_child());
    return added.child("p:cTn");
}

std::string Behaviours(Entrance kind, unsigned& nextId, const std::string& target)
{
    auto id = [&] { return std::to_string(nextId++); };
    std::string xml = R"(<p:set><p:cBhvr><p:cTn id=")" + id() +
                      R"(" dur="1" fill="hold"><p:stCondLst><p:cond delay="0"/></p:stCondLst></p:cTn>)" + target +
                      R"(<p:attrNameLst><p:attrName>style.visibility</p:attrName></p:attrNameLst></p:cBhvr>)"
                      R"(<p:to><p:strVal val="visible"/></p:to></p:set>)";
    if (kind == Entrance::Fade) {
        xml += R"(<p:animEffect transition="in" filter="fade"><p:cBhvr><p:cTn id=")" + id() + R"(" dur="500"/>)" +
               target + "</p:cBhvr></p:animEffect>";
    }
    if (kind == Entrance::Fly) {
        struct Motion {
            const char* attribute;
            const char* from;
            const char* to;
        };
        // Up from below the slide to where the shape stands.
        for (auto [attribute, from, to] : {Motion{"ppt_x", "#ppt_x", "#ppt_x"}, Motion{"ppt_y", "1+#ppt_h/2", "#ppt_y"}}) {
            xml += R"(<p:anim calcmode="lin" valueType="num"><p:cBhvr additive="base"><p:cTn id=")" + id() +
                   R"(" dur="500" fill="hold"/>)" + target + "<p:attrNameLst><p:attrName>" + attribute +
                   R"(</p:attrName></p:attrNameLst></p:cBhvr><p:tavLst><p:tav tm="0"><p:val><p:strVal val=")" +
                   from + R"("/></p:val></p:tav><p:tav tm="100000"><p:val><p:strVal val=")" + to +
                   R"("/></p:val></p:tav></p:tavLst></p:anim>)";
        }
    }
    return xml;
}

std::string ClickGroup(Entrance kind, unsigned firstId, unsigned shapeId)
{
    static constexpr std::pair<const char*, const char*> kPresets[] = {{"1", "0"}, {"10", "0"}, {"2", "4"}};
    const auto [preset, subtype] = kPresets[static_cast<int>(kind)];
    const std::string target = R"(<p:tgtEl><p:spTgt spid=")" + std::to_string(shapeId) + R"("/></p:tgtEl>)";
    unsigned nextId = firstId + 3;
    return R"(<p:par><p:cTn id=")" + std::to_string(firstId) +
           R"(" fill="hold"><p:stCondLst><p:cond delay="indefinite"/></p:stCondLst><p:childTnLst>)"
           R"(<p:par><p:cTn id=")" + std::to_string(firstId + 1) +
           R"(" fill="hold"><p:stCondLst><p:cond delay="0"/></p:stCondLst><p:childTnLst>)"
           R"(<p:par><p:cTn id=")" + std::to_string(firstId + 2) + R"(" presetID=")" + preset +
           R"(" presetClass="entr" presetSubtype=")" + subtype +
           R"(" fill="hold" grpId="0" nodeType="clickEffect"><p:stCondLst><p:cond delay="0"/></p:stCondLst>)"
           R"(<p:childTnLst>)" + Behaviours(kind, nextId, target) +
           "</p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par></p:childTnLst></p:cTn></p:par>";
}

void AddBuild(pugi::xml_node timingNode, unsigned shapeId)
{
    pugi::xml_node builds = xml::ChildInOrder(timingNode, "p:bldLst", kTimingOrder);
    const std::string id = std::to_string(shapeId);
    for (pugi::xml_node build : builds.children("p:bldP")) {
        if (id == build.attribute("spid").value() && std::string_view(build.attribute("grpId").value()) == "0") {
            return;
        }
    }
    pugi::xml_node build = builds.append_child("p:bldP");
    build.append_attribute("spid") = id.c_str();
    build.append_attribute("grpId") = "0";
    build.append_attribute("animBg") = "1";
}

}  // namespace

std::vector<pugi::xml_node> Effects(pugi::xml_node sequence)
{
    return sequence ? AllEffects(sequence) : std::vector<pugi::xml_node>{};
}

int InteractiveSequenceCount(pugi::xml_node slide)
{
    int count = 0;
    ForEachTimeNode(slide.child("p:timing"), [&](pugi::xml_node timeNode) {
        count += IsNodeType(timeNode, "interactiveSeq") ? 1 : 0;
        return true;
    });
    return count;
}

void DeleteEffect(pugi::xml_node slide, pugi::xml_node effect)
{
    pugi::xml_node timingNode = slide.child("p:timing");
    pugi::xml_node container = effect.parent();
    pugi::xml_node sequence = container;
    while (sequence && !(std::string_view(sequence.name()) == "p:cTn" && sequence.attribute("nodeType") &&
                         (IsNodeType(sequence, "mainSeq") || IsNodeType(sequence, "interactiveSeq")))) {
        sequence = sequence.parent();
    }
    RemoveAndPrune(container, sequence);
    DropUnusedBuilds(timingNode);
    DropEmptySequence(slide);
}

void DeleteEffectsOn(pugi::xml_node slide, unsigned shapeId)
{
    for (pugi::xml_node effect : AllEffects(slide.child("p:timing"))) {
        if (TargetShape(effect) == shapeId) {
            DeleteEffect(slide, effect);
        }
    }
}

pugi::xml_node AddEntrance(pugi::xml_node slide, unsigned shapeId, Entrance kind, bool buildsText)
{
    pugi::xml_node timingNode = xml::ChildInOrder(slide, "p:timing", kSlideOrder);
    pugi::xml_node sequence = MainSequence(slide);
    if (!sequence) {
        sequence = MakeMainSequence(timingNode);
    }
    pugi::xml_node list = sequence.child("p:childTnLst") ? sequence.child("p:childTnLst")
                                                          : sequence.append_child("p:childTnLst");
    pugi::xml_document fragment;
    fragment.load_string(ClickGroup(kind, NextTimeNodeId(timingNode), shapeId).c_str());
    pugi::xml_node group = list.append_copy(fragment.first_child());
    if (buildsText) {
        AddBuild(timingNode, shapeId);
    }
    return AllEffects(group).front();
}

}  // namespace velmora::pptx::parts::timing
