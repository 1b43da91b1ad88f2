// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/clickhouse_http.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace trafikon::batch {

namespace {

constexpr std::size_t kZippedChunk = 256 * 1024;  // compressed bytes a chunk
constexpr std::size_t kMaxAnswer = 16 << 20;      // an answer longer than that is cut

std::string UrlEncoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
            u == '-' || u == '_' || u == '.' || u == '~') {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kHex[u >> 4]);
            out.push_back(kHex[u & 15]);
        }
    }
    return out;
}

// The body of a chunked answer.
std::string Unchunked(std::string_view body) {
    std::string out;
    while (!body.empty()) {
        const std::size_t end = body.find("\r\n");
        if (end == std::string_view::npos)
            break;
        const std::size_t size =
            std::strtoul(std::string(body.substr(0, end)).c_str(), nullptr, 16);
        if (size == 0 || end + 2 + size > body.size())
            break;
        out.append(body.substr(end + 2, size));
        body.remove_prefix(std::min(body.size(), end + 2 + size + 2));
    }
    return out;
}

}  // namespace

bool ClickHouseHttp::Loopback() const {
    return host_ == "localhost" || host_ == "::1" || host_.starts_with("127.");
}

ClickHouseHttp::ClickHouseHttp(const std::string& url) {
    constexpr std::string_view kScheme = "http://";
    if (!url.starts_with(kScheme))
        throw ServerError("the address must start with http:// (" + url + ")");
    std::string_view rest = std::string_view(url).substr(kScheme.size());
    const std::size_t hostEnd = rest.find_first_of("/?");
    std::string_view hostPort = rest.substr(0, hostEnd);
    rest = hostEnd == std::string_view::npos ? std::string_view() : rest.substr(hostEnd);
    const std::size_t colon = hostPort.rfind(':');
    if (colon != std::string_view::npos && hostPort.find(']', colon) == std::string_view::npos) {
        port_ = hostPort.substr(colon + 1);
        hostPort = hostPort.substr(0, colon);
    } else {
        port_ = "8123";
    }
    if (hostPort.size() > 2 && hostPort.front() == '[' && hostPort.back() == ']')
        hostPort = hostPort.substr(1, hostPort.size() - 2);
    host_ = hostPort;
    const std::size_t question = rest.find('?');
    path_ = rest.substr(0, question);
    if (path_.empty())
        path_ = "/";
    if (question != std::string_view::npos)
        settings_ = rest.substr(question + 1);
    if (host_.empty() || port_.empty() ||
        port_.find_first_not_of("0123456789") != std::string::npos ||
        (host_ + path_ + settings_).find_first_of(" \r\n") != std::string::npos)
        throw ServerError("not an address of the form http://HOST[:PORT][/][?SETTINGS]: " + url);
}

ClickHouseHttp::~ClickHouseHttp() {
    if (zipOpen_)
        deflateEnd(&zip_);
    Close();
}

void ClickHouseHttp::Close() {
    if (socket_ >= 0)
        ::close(socket_);
    socket_ = -1;
}

void ClickHouseHttp::Open(std::string_view query, bool chunked, std::size_t length,
                          std::string_view settings, bool gzip) {
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (const int e = getaddrinfo(host_.c_str(), port_.c_str(), &hints, &found); e != 0)
        throw ServerError(host_ + ": " + gai_strerror(e));
    int error = 0;
    for (addrinfo* a = found; a && socket_ < 0; a = a->ai_next) {
        socket_ = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (socket_ >= 0 && ::connect(socket_, a->ai_addr, a->ai_addrlen) != 0) {
            error = errno;
            Close();
        }
    }
    freeaddrinfo(found);
    if (socket_ < 0)
        throw ServerError(host_ + ":" + port_ + ": " + std::strerror(error));
    // A server that stops answering ends the export instead of holding it.
    // Requests go out in few, large writes: no waiting for acknowledgements
    // between a chunk's parts.
    const int one = 1;
    setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    timeval wait{600, 0};
    setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
    std::string head = "POST " + path_ + "?" + settings_;
    if (!settings_.empty())
        head += "&";
    head += "enable_http_compression=1";
    head += settings;
    if (!query.empty())
        head += "&query=" + UrlEncoded(query);
    head += " HTTP/1.1\r\nHost: " + host_ + ":" + port_ + "\r\nConnection: close\r\n";
    if (chunked)
        head += gzip ? "Transfer-Encoding: chunked\r\nContent-Encoding: gzip\r\n"
                     : "Transfer-Encoding: chunked\r\n";
    else
        head += "Content-Length: " + std::to_string(length) + "\r\n";
    head += "\r\n";
    Send(head.data(), head.size());
}

void ClickHouseHttp::Send(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(socket_, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // The server may have refused the rows and closed: its answer says why.
            const int error = errno;
            Finish();
            throw ServerError(std::string("connection lost: ") + std::strerror(error));
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

namespace {

// Whether `answer` (head and body so far) is whole: its body as long as its
// Content-Length, or its chunks ended. Without either, the end of the
// connection ends it.
bool AnswerComplete(std::string_view answer) {
    const std::size_t headEnd = answer.find("\r\n\r\n");
    if (headEnd == std::string_view::npos)
        return false;
    std::string head(answer.substr(0, headEnd + 2));
    for (char& c : head)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const std::string_view body = answer.substr(headEnd + 4);
    if (head.find("\r\ntransfer-encoding: chunked\r\n") != std::string::npos)
        return body.starts_with("0\r\n\r\n") || body.ends_with("\r\n0\r\n\r\n");
    constexpr std::string_view kLength = "\r\ncontent-length: ";
    if (const std::size_t at = head.find(kLength); at != std::string::npos)
        return body.size() >= std::strtoull(head.c_str() + at + kLength.size(), nullptr, 10);
    return false;
}

}  // namespace

std::string ClickHouseHttp::Finish() {
    std::string answer;
    char buffer[16384];
    // The server may keep the connection a while after its answer: the answer
    // ends where its head says.
    while (!AnswerComplete(answer)) {
        const ssize_t n = ::recv(socket_, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            Close();
            throw ServerError(std::string("no answer from the server: ") + std::strerror(error));
        }
        if (n == 0)
            break;
        if (answer.size() < kMaxAnswer)
            answer.append(buffer, static_cast<std::size_t>(n));
    }
    Close();
    const std::size_t headEnd = answer.find("\r\n\r\n");
    if (!answer.starts_with("HTTP/1.") || answer.size() < 12 || headEnd == std::string::npos)
        throw ServerError("no answer from the server");
    const std::string_view head = std::string_view(answer).substr(0, headEnd + 2);
    std::string body = answer.substr(headEnd + 4);
    std::string lowerHead(head);
    for (char& c : lowerHead)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (lowerHead.find("\r\ntransfer-encoding: chunked\r\n") != std::string::npos)
        body = Unchunked(body);
    if (answer.compare(9, 3, "200") != 0) {
        while (!body.empty() && (body.back() == '\n' || body.back() == '\r'))
            body.pop_back();
        throw ServerError(body.empty() ? std::string(head.substr(0, head.find('\r'))) : body);
    }
    return body;
}

std::string ClickHouseHttp::Run(std::string_view statement) {
    Open({}, false, statement.size());
    Send(statement.data(), statement.size());
    return Finish();
}

void ClickHouseHttp::BeginInsert(std::string_view table, std::size_t blockRows, bool gzip) {
    Open("INSERT INTO " + std::string(table) + " FORMAT TabSeparated", true, 0,
         blockRows > 0 ? "&max_insert_block_size=" + std::to_string(blockRows) : std::string(),
         gzip);
    if (!gzip)
        return;
    if (zipOpen_)
        deflateEnd(&zip_);
    zip_ = z_stream{};
    // Level 1: the server's ingest, not the network, is what limits a local export.
    if (deflateInit2(&zip_, 1, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw ServerError("cannot start gzip compression");
    zipOpen_ = true;
    zipped_.resize(kZippedChunk);
    zip_.next_out = zipped_.data();
    zip_.avail_out = static_cast<uInt>(zipped_.size());
}

void ClickHouseHttp::SendChunk(const char* data, std::size_t size) {
    // The chunk's head, data and end in one write.
    char head[32];
    const int n = std::snprintf(head, sizeof head, "%zx\r\n", size);
    chunk_.assign(head, static_cast<std::size_t>(n));
    chunk_.append(data, size);
    chunk_.append("\r\n");
    Send(chunk_.data(), chunk_.size());
}

void ClickHouseHttp::Deflate(const char* data, std::size_t size, int flush) {
    zip_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    zip_.avail_in = static_cast<uInt>(size);
    for (;;) {
        const int result = deflate(&zip_, flush);
        if (result == Z_STREAM_ERROR)
            throw ServerError("gzip compression failed");
        if (zip_.avail_out == 0 || (flush == Z_FINISH && zip_.avail_out < zipped_.size())) {
            SendChunk(reinterpret_cast<const char*>(zipped_.data()),
                      zipped_.size() - zip_.avail_out);
            zip_.next_out = zipped_.data();
            zip_.avail_out = static_cast<uInt>(zipped_.size());
        }
        if (flush == Z_FINISH ? result == Z_STREAM_END : zip_.avail_in == 0)
            break;
    }
}

void ClickHouseHttp::Write(std::string_view rows) {
    // zlib counts in 32 bits: large pieces go in parts.
    while (!rows.empty()) {
        const std::size_t part = std::min<std::size_t>(rows.size(), 1 << 30);
        if (zipOpen_)
            Deflate(rows.data(), part, Z_NO_FLUSH);
        else
            SendChunk(rows.data(), part);
        rows.remove_prefix(part);
    }
}

void ClickHouseHttp::EndInsert() {
    if (zipOpen_) {
        Deflate(nullptr, 0, Z_FINISH);
        deflateEnd(&zip_);
        zipOpen_ = false;
    }
    Send("0\r\n\r\n", 5);
    Finish();
}

}  // namespace trafikon::batch
