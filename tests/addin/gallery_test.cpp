#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/BookGallery.hpp"
#include "addin/Connect.hpp"
#include "host/HostError.hpp"
#include "host/Presentation.hpp"
#include "pptx/DocumentHost.hpp"

namespace velmora::addin {
namespace {

// The desktop side of the host: it only notes the addresses it is asked to open.
class RecordingShell : public host::Shell {
public:
    std::vector<std::string> opened;

    void OpenAddress(const std::string& address) override { opened.push_back(address); }
    void ShowFolder(const std::filesystem::path&) override {}
};

class GalleryTest : public ::testing::Test {
protected:
    // Connects the add-in to a document host with one new presentation open.
    void ConnectWithPresentation()
    {
        application_ = pptx::CreateDocumentHost(context_.services);
        application_->Presentations()->Add(true);
        connect_.OnConnection(application_);
    }

    std::shared_ptr<RecordingShell> shell_ = std::make_shared<RecordingShell>();
    AddinContext context_{{nullptr, nullptr, shell_, nullptr, nullptr, nullptr}, nullptr};
    std::shared_ptr<host::Application> application_;
    Connect connect_{context_};
    const RibbonControl books_{"PPTBooks"};
    const RibbonControl other_{"myAddFlash"};
};

TEST_F(GalleryTest, BookGalleryHasNineItems)
{
    EXPECT_EQ(connect_.GetItemCount(books_), 9);
    EXPECT_EQ(connect_.GetItemID(books_, 0), "item0");
    EXPECT_EQ(connect_.GetItemID(books_, 8), "item8");
    for (std::int16_t i = 0; i < 9; ++i) {
        const GalleryBook& book = RecommendedBooks()[static_cast<std::size_t>(i)];
        EXPECT_EQ(connect_.GetItemLabel(books_, i), book.label);
        EXPECT_EQ(connect_.GetItemSupertip(books_, i), book.supertip);
        EXPECT_FALSE(book.label.empty());
        EXPECT_GT(book.supertip.size(), book.label.size());
        EXPECT_EQ(book.page.rfind("/book/", 0), 0u) << book.page;
        const auto cover = connect_.GetItemImage(books_, i);
        ASSERT_TRUE(cover.has_value());
        EXPECT_EQ(cover->id, 105 + i);
        EXPECT_EQ(cover->kind, resources::PictureKind::Bitmap);
    }
}

TEST_F(GalleryTest, OtherControlsGetEmptyAnswers)
{
    for (const RibbonControl& control : {other_, RibbonControl{"pptbooks"}, RibbonControl{""}}) {
        EXPECT_EQ(connect_.GetItemCount(control), 0);
        EXPECT_EQ(connect_.GetItemID(control, 3), "");
        EXPECT_EQ(connect_.GetItemLabel(control, 3), "");
        EXPECT_EQ(connect_.GetItemSupertip(control, 3), "");
        EXPECT_FALSE(connect_.GetItemImage(control, 3).has_value());
    }
}

TEST_F(GalleryTest, IndexesOutsideTheGalleryGiveEmptyText)
{
    EXPECT_EQ(connect_.GetItemLabel(books_, 9), "");
    EXPECT_EQ(connect_.GetItemSupertip(books_, -1), "");
    EXPECT_FALSE(connect_.GetItemImage(books_, 9).has_value());
    EXPECT_FALSE(connect_.GetItemImage(books_, 10).has_value()) << "bitmap 115 belongs to the search menu";
}

TEST_F(GalleryTest, PickingTheFourthItemOpensItsPageOnTheBookSite)
{
    ConnectWithPresentation();
    connect_.galAction(books_, "item3", 3);
    const std::string page(RecommendedBooks()[3].page);
    EXPECT_EQ(shell_->opened, std::vector<std::string>{"https://search.douban.com" + page});

    // A mirror, or a test's server, takes the pages as every other address.
    setenv("VELMORA_BOOK_SITE", "http://127.0.0.1:8080", 1);
    connect_.galAction(books_, "item3", 3);
    unsetenv("VELMORA_BOOK_SITE");
    EXPECT_EQ(shell_->opened.back(), "http://127.0.0.1:8080" + page);
}

TEST_F(GalleryTest, EveryItemHasItsOwnPage)
{
    ConnectWithPresentation();
    for (int i = 0; i < 9; ++i) {
        connect_.galAction(books_, "", i);
    }
    const auto& followed = shell_->opened;
    ASSERT_EQ(followed.size(), 9u);
    for (std::size_t i = 0; i < followed.size(); ++i) {
        EXPECT_EQ(std::count(followed.begin(), followed.end(), followed[i]), 1) << followed[i];
    }
}

TEST_F(GalleryTest, PickingFailsWithoutAHostOrOutsideTheGallery)
{
    EXPECT_THROW(connect_.galAction(books_, "item0", 0), host::HostError);
    connect_.OnConnection(pptx::CreateDocumentHost(context_.services));
    EXPECT_THROW(connect_.galAction(books_, "item0", 0), host::HostError) << "no presentation is open";
    ConnectWithPresentation();
    EXPECT_THROW(connect_.galAction(books_, "item9", 9), host::HostError);
    connect_.OnDisconnection();
    EXPECT_THROW(connect_.galAction(books_, "item0", 0), host::HostError);
    EXPECT_TRUE(shell_->opened.empty());
}

}  // namespace
}  // namespace velmora::addin
