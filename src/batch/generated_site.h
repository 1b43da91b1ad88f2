// SPDX-License-Identifier: GPL-3.0-or-later
// The site whose visits the generator writes: its pages, images, style and
// script files and downloads, made up from the seed.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch/generator_random.h"

namespace trafikon::batch::generator {

constexpr std::array<std::string_view, 56> kWords = {
    "news",    "contact",    "products", "download", "support",  "forum",    "faq",      "photos",
    "travel",  "recipes",    "garden",   "history",  "music",    "video",    "linux",    "windows",
    "install", "guide",      "prices",   "team",     "events",   "club",     "weather",  "maps",
    "sport",   "cinema",     "books",    "jobs",     "press",    "partners", "holiday",  "shop",
    "help",    "links",      "archive",  "tools",    "code",     "manual",   "report",   "agenda",
    "accueil", "actualites", "recettes", "jardin",   "vacances", "ecole",    "musique",  "plan",
    "tarifs",  "equipe",     "horaires", "galerie",  "annuaire", "livre",    "chantier", "mairie"};

constexpr std::array<std::string_view, 10> kFolders = {
    "/",    "/news/", "/docs/",     "/forum/", "/blog/",
    "/fr/", "/en/",   "/products/", "/about/", "/photos/2003/"};

constexpr std::array<std::string_view, 8> kPageEndings = {".html", ".html", ".html",  ".htm",
                                                          ".php",  ".asp",  ".shtml", "/"};

constexpr std::array<std::string_view, 6> kImageEndings = {".jpg",  ".gif", ".png",
                                                           ".jpeg", ".JPG", ".gif"};

struct Resource {
    std::string path;
    int bytes = 0;
};

struct Page {
    std::string path;
    std::string url;  // the page's full address, the referrer of what it loads
    int bytes = 0;
    bool dynamic = false;  // takes a query string
    std::size_t firstImage = 0, imageCount = 0;
};

inline const std::array<Resource, 6> kAssets = {{{"/css/site.css", 1516},
                                                 {"/js/site.js", 3932},
                                                 {"/images/logo.gif", 912},
                                                 {"/favicon.ico", 4175},
                                                 {"/images/bg.jpg", 1560},
                                                 {"/css/print.css", 640}}};

inline const std::array<Resource, 8> kDownloads = {{{"/download/tools-1.2.zip", 1843220},
                                                    {"/download/manual.pdf", 734003},
                                                    {"/download/photos-2003.tar.gz", 15204352},
                                                    {"/download/setup.exe", 4718592},
                                                    {"/download/update-2.msi", 2202009},
                                                    {"/files/sources-2.4.tgz", 912384},
                                                    {"/files/plans.rar", 3355443},
                                                    {"/download/player.exe", 1048576}}};

constexpr std::string_view kSite = "http://www.example.org";

struct Site {
    std::vector<Page> pages;
    std::vector<Resource> images;

    Site(Random& random, int pageCount);
    static Page MakePage(const std::string& path, Random& random);
};

}  // namespace trafikon::batch::generator
