// Writes the extension's Addons.xcu and pictures from the ribbon definition.
#include <exception>
#include <iostream>

#include "addin/Connect.hpp"
#include "impress/AddonsWriter.hpp"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: velmora-impress-ui FOLDER\n";
        return 2;
    }
    try {
        velmora::addin::AddinContext context;
        const velmora::addin::Connect connect(context);
        velmora::impress::AddonsWriter(connect).Write(argv[1]);
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << "velmora-impress-ui: " << failure.what() << '\n';
        return 1;
    }
}
