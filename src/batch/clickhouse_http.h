// SPDX-License-Identifier: GPL-3.0-or-later
// A small client of ClickHouse's HTTP interface (port 8123 by default):
// statements sent as the body of a POST, and inserts whose rows are sent in
// chunks (gzip-compressed for a server across a network) while they are made,
// so that the server reads one part while the next is made. One connection a request, plain
// HTTP only (put a TLS proxy in front for another network).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <zlib.h>

namespace trafikon::batch {

// The server's refusal (its own message) or a connection that failed.
class ServerError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ClickHouseHttp {
  public:
    // `url`: http://HOST[:PORT][/][?SETTINGS] ("user=..&password=.." among
    // them). Throws ServerError for any other form.
    explicit ClickHouseHttp(const std::string& url);
    ~ClickHouseHttp();
    ClickHouseHttp(const ClickHouseHttp&) = delete;
    ClickHouseHttp& operator=(const ClickHouseHttp&) = delete;

    // Runs one statement; returns the server's answer. Throws ServerError.
    std::string Run(std::string_view statement);

    // An insert of tab-separated rows into `table`: Begin, Write the rows (any
    // pieces), End, which throws ServerError unless the server took them all.
    // The server stores them in blocks of `blockRows` rows as they come (0:
    // of its own max_insert_block_size, about a million). `gzip`: the rows
    // travel compressed.
    void BeginInsert(std::string_view table, std::size_t blockRows, bool gzip);
    // The server is this machine (localhost, 127.x, ::1).
    bool Loopback() const;
    void Write(std::string_view rows);
    void EndInsert();

  private:
    // Connects and sends the head of a request with `query` in its address.
    void Open(std::string_view query, bool chunked, std::size_t length,
              std::string_view settings = {}, bool gzip = false);
    void Send(const char* data, std::size_t size);
    void SendChunk(const char* data, std::size_t size);
    void Deflate(const char* data, std::size_t size, int flush);
    // Reads the answer to its end and closes; throws ServerError unless 200.
    std::string Finish();
    void Close();

    std::string host_, port_, path_, settings_;
    int socket_ = -1;
    z_stream zip_{};
    bool zipOpen_ = false;
    std::vector<unsigned char> zipped_;
    std::string chunk_;
};

}  // namespace trafikon::batch
