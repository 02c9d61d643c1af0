#include "support/shop_sale.h"

#include <filesystem>

namespace quelfi::test {

Sale ShopSaleTest::sell(const std::string& program, const std::vector<std::string>& args,
                        const std::vector<std::string>& env) {
    namespace fs = std::filesystem;
    ShopPrinter shop;
    writeFile(systemDir() + "/QuelFI32.ini", kShopIni);
    shop.server.linkAs(portDir() + "/COM1");
    fs::create_directories(driveC() + "/quelfi");
    fs::remove(driveC() + "/quelfi/QuelFI32.log");
    Sale sale{runTool(program, args, env), "", 0};
    sale.log = readFile(driveC() + "/quelfi/QuelFI32.log");
    sale.coo = shop.printer.model().counters.coo;
    return sale;
}

}  // namespace quelfi::test
