#include "addin/BookGallery.hpp"

namespace velmora::addin {

// Each page is the book site's search for the title, which outlives any
// single edition's page.
const std::array<GalleryBook, 9>& RecommendedBooks()
{
    static constexpr std::array<GalleryBook, 9> books{{
        {"演说之禅", "《演说之禅：职场必知的幻灯片秘技》 Garr Reynolds",
         "/book/subject_search?search_text=%E6%BC%94%E8%AF%B4%E4%B9%8B%E7%A6%85&cat=1001"},
        {"裸演说", "《裸演说》 Garr Reynolds",
         "/book/subject_search?search_text=%E8%A3%B8%E6%BC%94%E8%AF%B4&cat=1001"},
        {"沟通", "《沟通：用故事产生共鸣》 Nancy Duarte",
         "/book/subject_search?search_text="
         "%E6%B2%9F%E9%80%9A%20%E7%94%A8%E6%95%85%E4%BA%8B%E4%BA%A7%E7%94%9F%E5%85%B1%E9%B8%A3&cat=1001"},
        {"金字塔原理", "《金字塔原理：思考、表达和解决问题的逻辑》 Barbara Minto",
         "/book/subject_search?search_text=%E9%87%91%E5%AD%97%E5%A1%94%E5%8E%9F%E7%90%86&cat=1001"},
        {"用图表说话", "《用图表说话：麦肯锡商务沟通完全工具箱》 Gene Zelazny",
         "/book/subject_search?search_text=%E7%94%A8%E5%9B%BE%E8%A1%A8%E8%AF%B4%E8%AF%9D&cat=1001"},
        {"写给大家看的设计书", "《写给大家看的设计书》 Robin Williams",
         "/book/subject_search?search_text="
         "%E5%86%99%E7%BB%99%E5%A4%A7%E5%AE%B6%E7%9C%8B%E7%9A%84%E8%AE%BE%E8%AE%A1%E4%B9%A6&cat=1001"},
        {"乔布斯的魔力演讲", "《乔布斯的魔力演讲》 Carmine Gallo",
         "/book/subject_search?search_text="
         "%E4%B9%94%E5%B8%83%E6%96%AF%E7%9A%84%E9%AD%94%E5%8A%9B%E6%BC%94%E8%AE%B2&cat=1001"},
        {"说服力", "《说服力：让你的PPT会说话》",
         "/book/subject_search?search_text="
         "%E8%AF%B4%E6%9C%8D%E5%8A%9B%20%E8%AE%A9%E4%BD%A0%E7%9A%84PPT%E4%BC%9A%E8%AF%B4%E8%AF%9D&cat=1001"},
        {"餐巾纸的背面", "《餐巾纸的背面》 Dan Roam",
         "/book/subject_search?search_text=%E9%A4%90%E5%B7%BE%E7%BA%B8%E7%9A%84%E8%83%8C%E9%9D%A2&cat=1001"},
    }};
    return books;
}

}  // namespace velmora::addin
