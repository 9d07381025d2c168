#include "addin/CommandTable.hpp"

#include <algorithm>

#include "addin/Connect.hpp"
#include "platform/AsciiCase.hpp"

namespace velmora::addin {
namespace {

template <void (Connect::*Method)(const RibbonControl&)>
void Press(Connect& connect, const RibbonPress& press)
{
    (connect.*Method)(press.control);
}

void PressGallery(Connect& connect, const RibbonPress& press)
{
    connect.galAction(press.control, press.selectedId, press.selectedIndex);
}

}  // namespace

// The one routing table of the ribbon's commands: a tool lands by giving its
// Connect method a body; the table itself does not change.
std::span<const CommandEntry> CommandTable()
{
    static constexpr CommandEntry entries[] = {
        {"setFont_main", &Press<&Connect::setFont_main>},
        {"GetColor_main", &Press<&Connect::GetColor_main>},
        {"Setcolor_main", &Press<&Connect::Setcolor_main>},
        {"AddFlash_main", &Press<&Connect::AddFlash_main>},
        {"CombinPic_main", &Press<&Connect::CombinPic_main>},
        {"ExportPic_main", &Press<&Connect::ExportPic_main>},
        {"TranstoPic_main", &Press<&Connect::TranstoPic_main>},
        {"AddPersonalMark_Main", &Press<&Connect::AddPersonalMark_Main>},
        {"ReadPersonalMark_Main", &Press<&Connect::ReadPersonalMark_Main>},
        {"ExportComment_All_Main", &Press<&Connect::ExportComment_All_Main>},
        {"ExportComment_Select_Main", &Press<&Connect::ExportComment_Select_Main>},
        {"DeleteComment_All_Main", &Press<&Connect::DeleteComment_All_Main>},
        {"DeleteComment_Select_Main", &Press<&Connect::DeleteComment_Select_Main>},
        {"RemoveAnimation_All_Main", &Press<&Connect::RemoveAnimation_All_Main>},
        {"RemoveAnimation_Select_Main", &Press<&Connect::RemoveAnimation_Select_Main>},
        {"SplitDoc_fromhere_Main", &Press<&Connect::SplitDoc_fromhere_Main>},
        {"SplitDoc_selection_Main", &Press<&Connect::SplitDoc_selection_Main>},
        {"SearchUrl1_Click", &Press<&Connect::SearchUrl1_Click>},
        {"SearchUrl2_Click", &Press<&Connect::SearchUrl2_Click>},
        {"SearchUrl3_Click", &Press<&Connect::SearchUrl3_Click>},
        {"SearchUrl4_Click", &Press<&Connect::SearchUrl4_Click>},
        {"SearchUrl5_Click", &Press<&Connect::SearchUrl5_Click>},
        {"SearchUrl6_Click", &Press<&Connect::SearchUrl6_Click>},
        {"SearchUrl7_Click", &Press<&Connect::SearchUrl7_Click>},
        {"SearchUrl8_Click", &Press<&Connect::SearchUrl8_Click>},
        {"SearchUrl9_Click", &Press<&Connect::SearchUrl9_Click>},
        {"PPTBooks_Click", &Press<&Connect::PPTBooks_Click>},
        {"galAction", &PressGallery},
        {"Author_Click", &Press<&Connect::Author_Click>},
        {"About_Click", &Press<&Connect::About_Click>},
        {"OnlineHelp_Click", &Press<&Connect::OnlineHelp_Click>},
        {"CheckUpdate_Click", &Press<&Connect::CheckUpdate_Click>},
        {"SharetoWeibo_Click", &Press<&Connect::SharetoWeibo_Click>},
    };
    return entries;
}

const CommandEntry* FindCommand(std::string_view name)
{
    const auto commands = CommandTable();
    const auto found = std::ranges::find_if(
        commands, [&](const CommandEntry& entry) { return platform::EqualIgnoringAsciiCase(entry.name, name); });
    return found != commands.end() ? &*found : nullptr;
}

}  // namespace velmora::addin
