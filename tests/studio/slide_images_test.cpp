#include <string>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "StudioFixture.hpp"
#include "studio/SlideImages.hpp"
#include "tests/support/OutsideSvgDeck.hpp"

namespace velmora::studio {
namespace {

using SlideImagesTest = StudioFixture;

// LibreOffice draws the deck; the slide asked for first is handed over alone,
// before the pictures of every slide arrive together.
TEST_F(SlideImagesTest, TheSlideAskedForFirstArrivesAloneBeforeTheRest)
{
    std::vector<std::string> arrivals;
    QImage first;
    SlideImages::Result all;
    SlideImages images(
        [&](int slide, const QImage& picture) {
            arrivals.push_back("slide " + std::to_string(slide));
            first = picture;
        },
        [&](const SlideImages::Result& result) {
            arrivals.push_back("all");
            all = result;
        });
    images.Request(*window_->Presentation(), 240, 2);
    QElapsedTimer waited;
    waited.start();
    while (images.Busy() && waited.elapsed() < 120000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }

    ASSERT_TRUE(all.error.isEmpty()) << all.error.toStdString();
    EXPECT_EQ(arrivals, (std::vector<std::string>{"slide 2", "all"}));
    ASSERT_EQ(all.slides.size(), 3u);
    for (const QImage& picture : all.slides) {
        EXPECT_EQ(picture.width(), 240);
    }
    EXPECT_EQ(first, all.slides[1]);
    EXPECT_NE(first, all.slides[0]);
}

// Pixels of a slide picture in the colour of the local file the deck's
// drawings point at.
int LocalFilePixels(const QImage& picture)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor colour = picture.pixelColor(x, y);
            count += std::abs(colour.red() - testing::kOutsideRed) < 40 &&
                     std::abs(colour.green() - testing::kOutsideGreen) < 40 &&
                     std::abs(colour.blue() - testing::kOutsideBlue) < 40;
        }
    }
    return count;
}

// The thumbnails are drawn from a copy cleared of what points out of the
// package, as every other picture is: SVG hidden under another type draws
// no file of the machine.
TEST_F(SlideImagesTest, ThumbnailsShowNoLocalFileThatADrawingPointsAt)
{
    QImage local(64, 64, QImage::Format_RGB32);
    local.fill(QColor(testing::kOutsideRed, testing::kOutsideGreen, testing::kOutsideBlue));
    ASSERT_TRUE(local.save(QString::fromStdString((dir_ / "local.png").string())));
    QImage standIn(64, 64, QImage::Format_RGB32);
    standIn.fill(Qt::gray);
    ASSERT_TRUE(standIn.save(QString::fromStdString((dir_ / "stand-in.png").string())));
    testing::DeckHost decks;
    const auto deck = dir_ / "outside.pptx";
    testing::WriteOutsideSvgDeck(decks, deck, dir_ / "stand-in.png", dir_ / "local.png");
    ASSERT_TRUE(window_->Open(deck));

    SlideImages::Result all;
    SlideImages images([](int, const QImage&) {}, [&](const SlideImages::Result& result) { all = result; });
    images.Request(*window_->Presentation(), 400, 1);
    QElapsedTimer waited;
    waited.start();
    while (images.Busy() && waited.elapsed() < 120000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }

    ASSERT_TRUE(all.error.isEmpty()) << all.error.toStdString();
    ASSERT_EQ(all.slides.size(), 2u);
    for (std::size_t slide = 0; slide < all.slides.size(); ++slide) {
        EXPECT_EQ(LocalFilePixels(all.slides[slide]), 0) << "slide " << slide + 1;
    }
}

}  // namespace
}  // namespace velmora::studio
