#include "hosts/outlook/caldav_http.h"

#include <curl/curl.h>
#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace feriant::outlook {
namespace {

// The functions of libcurl this file calls. libcurl is loaded when a server is first
// reached, not when the program starts: most runs never reach one, and libcurl with the
// libraries it needs (TLS, Kerberos, LDAP, ...) takes longer to load than a short run
// takes for everything else.
struct CurlLibrary {
  decltype(&curl_global_init) global_init = nullptr;
  decltype(&curl_easy_init) easy_init = nullptr;
  decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
  decltype(&curl_easy_setopt) easy_setopt = nullptr;
  decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
  decltype(&curl_easy_strerror) easy_strerror = nullptr;
  decltype(&curl_multi_init) multi_init = nullptr;
  decltype(&curl_multi_cleanup) multi_cleanup = nullptr;
  decltype(&curl_multi_setopt) multi_setopt = nullptr;
  decltype(&curl_multi_add_handle) multi_add_handle = nullptr;
  decltype(&curl_multi_remove_handle) multi_remove_handle = nullptr;
  decltype(&curl_multi_perform) multi_perform = nullptr;
  decltype(&curl_multi_info_read) multi_info_read = nullptr;
  decltype(&curl_multi_poll) multi_poll = nullptr;
  decltype(&curl_slist_append) slist_append = nullptr;
  decltype(&curl_slist_free_all) slist_free_all = nullptr;
  decltype(&curl_url) url = nullptr;
  decltype(&curl_url_cleanup) url_cleanup = nullptr;
  decltype(&curl_url_set) url_set = nullptr;
  decltype(&curl_url_get) url_get = nullptr;
  decltype(&curl_free) free = nullptr;
};

struct LibraryCloser {
  void operator()(void* library) const { ::dlclose(library); }
};

// Sets `function` to the symbol `name` of `library`; false when there is none.
template <class Function>
bool Find(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(::dlsym(library, name));
  return function != nullptr;
}

struct LoadedCurl {
  std::unique_ptr<void, LibraryCloser> library;
  CurlLibrary functions;
  std::string failure;  // why it could not be used; empty when it can
};

LoadedCurl Load() {
  LoadedCurl loaded;
  // The ABI of libcurl.so.4 has been kept since 2006.
  loaded.library.reset(::dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
  if (loaded.library == nullptr) {
    const char* why = ::dlerror();
    loaded.failure = "libcurl could not be loaded: " + std::string(why != nullptr ? why : "");
    return loaded;
  }
  void* library = loaded.library.get();
  CurlLibrary& f = loaded.functions;
  const bool found = Find(library, "curl_global_init", f.global_init) &&
                     Find(library, "curl_easy_init", f.easy_init) &&
                     Find(library, "curl_easy_cleanup", f.easy_cleanup) &&
                     Find(library, "curl_easy_setopt", f.easy_setopt) &&
                     Find(library, "curl_easy_getinfo", f.easy_getinfo) &&
                     Find(library, "curl_easy_strerror", f.easy_strerror) &&
                     Find(library, "curl_multi_init", f.multi_init) &&
                     Find(library, "curl_multi_cleanup", f.multi_cleanup) &&
                     Find(library, "curl_multi_setopt", f.multi_setopt) &&
                     Find(library, "curl_multi_add_handle", f.multi_add_handle) &&
                     Find(library, "curl_multi_remove_handle", f.multi_remove_handle) &&
                     Find(library, "curl_multi_perform", f.multi_perform) &&
                     Find(library, "curl_multi_info_read", f.multi_info_read) &&
                     Find(library, "curl_multi_poll", f.multi_poll) &&
                     Find(library, "curl_slist_append", f.slist_append) &&
                     Find(library, "curl_slist_free_all", f.slist_free_all) &&
                     Find(library, "curl_url", f.url) &&
                     Find(library, "curl_url_cleanup", f.url_cleanup) &&
                     Find(library, "curl_url_set", f.url_set) &&
                     Find(library, "curl_url_get", f.url_get) && Find(library, "curl_free", f.free);
  if (!found) {
    loaded.failure = "the libcurl found is too old (7.85 or later is needed)";
    return loaded;
  }
  if (f.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK)
    loaded.failure = "libcurl could not be initialised";
  return loaded;
}

// libcurl, loaded and initialised on the first call; none when it cannot be used
// (HttpUnavailable says why).
const LoadedCurl& TheCurl() {
  static const LoadedCurl loaded = Load();
  return loaded;
}

bool CurlLoaded() {
  return TheCurl().failure.empty();
}

// The functions; only once CurlLoaded() said yes, as every handle of libcurl implies.
const CurlLibrary& Curl() {
  return TheCurl().functions;
}

struct EasyDeleter {
  void operator()(CURL* easy) const { Curl().easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { Curl().multi_cleanup(multi); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { Curl().slist_free_all(list); }
};
struct UrlDeleter {
  void operator()(CURLU* url) const { Curl().url_cleanup(url); }
};
struct TextDeleter {
  void operator()(char* text) const { Curl().free(text); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;
using CurlText = std::unique_ptr<char, TextDeleter>;

constexpr int kMaxRedirects = 5;

UrlHandle Parse(std::string_view url) {
  if (!CurlLoaded()) return nullptr;
  UrlHandle handle(Curl().url());
  if (handle == nullptr) return nullptr;
  const std::string text(url);
  if (Curl().url_set(handle.get(), CURLUPART_URL, text.c_str(), 0) != CURLUE_OK) return nullptr;
  return handle;
}

// A part of `url`; none when the URL has no such part.
std::optional<std::string> PartIfAny(CURLU* url, CURLUPart part, unsigned flags = 0) {
  char* text = nullptr;
  if (Curl().url_get(url, part, &text, flags) != CURLUE_OK || text == nullptr) return std::nullopt;
  const CurlText owned(text);
  return std::string(owned.get());
}

std::string Part(CURLU* url, CURLUPart part, unsigned flags = 0) {
  return PartIfAny(url, part, flags).value_or("");
}

std::string Lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  return std::string(text);
}

// One request on its way: the easy handle and what it owns until it ends.
struct Transfer {
  size_t index = 0;
  EasyHandle easy;
  HeaderList headers;
  std::string body;  // the request's, alive while libcurl reads it
  HttpResponse response;
  char error[CURL_ERROR_SIZE] = {};
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
  static_cast<Transfer*>(user)->response.body.append(data, size * count);
  return size * count;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const std::string_view line(data, size * count);
  if (line.starts_with("HTTP/")) {
    // A new status line (after a 100 Continue or an authentication round) starts over.
    const size_t code = line.find(' ');
    const size_t reason = code == std::string_view::npos ? code : line.find(' ', code + 1);
    transfer->response.reason =
        reason == std::string_view::npos ? std::string() : Trimmed(line.substr(reason + 1));
    transfer->response.etag.clear();
    transfer->response.location.clear();
    return line.size();
  }
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) return line.size();
  const std::string name = Lower(std::string(line.substr(0, colon)));
  if (name == "etag") transfer->response.etag = Trimmed(line.substr(colon + 1));
  if (name == "location") transfer->response.location = Trimmed(line.substr(colon + 1));
  return line.size();
}

// Whether `reference` is a plain absolute path ("/dav/cal/x.ics"): no authority, no dot
// segments, no query or fragment, only characters a URL may carry as they are. Servers
// name their resources so, and resolving one is then joining it to the base's origin.
bool IsPlainPath(std::string_view reference) {
  if (!reference.starts_with('/') || reference.starts_with("//")) return false;
  constexpr std::string_view kAllowed = "-._~!$&'()*+,;=:@/%";
  for (size_t i = 0; i < reference.size(); ++i) {
    const auto c = static_cast<unsigned char>(reference[i]);
    if (c == '%' && (i + 2 >= reference.size() ||
                     std::isxdigit(static_cast<unsigned char>(reference[i + 1])) == 0 ||
                     std::isxdigit(static_cast<unsigned char>(reference[i + 2])) == 0)) {
      return false;
    }
    if (std::isalnum(c) == 0 && kAllowed.find(static_cast<char>(c)) == std::string_view::npos)
      return false;
  }
  for (size_t slash = 0; slash != std::string_view::npos; slash = reference.find('/', slash + 1)) {
    const std::string_view segment =
        reference.substr(slash + 1, reference.find('/', slash + 1) - slash - 1);
    if (segment == "." || segment == "..") return false;
  }
  return true;
}

// "scheme://authority" of an absolute URL as libcurl writes it, or nothing.
std::string_view OriginOf(std::string_view url) {
  const size_t authority = url.find("://");
  if (authority == std::string_view::npos) return {};
  const size_t path = url.find('/', authority + 3);
  return path == std::string_view::npos ? url : url.substr(0, path);
}

}  // namespace

std::string HttpUnavailable() {
  return TheCurl().failure;
}

std::optional<UrlAccount> AccountOfUrl(std::string_view url) {
  const UrlHandle parsed = Parse(url);
  if (parsed == nullptr) return std::nullopt;
  UrlAccount account;
  account.host = Lower(Part(parsed.get(), CURLUPART_HOST, CURLU_URLDECODE));
  account.user = Part(parsed.get(), CURLUPART_USER, CURLU_URLDECODE);
  account.has_password = PartIfAny(parsed.get(), CURLUPART_PASSWORD, CURLU_URLDECODE).has_value();
  return account;
}

std::string UrlWithoutCredentials(std::string_view url) {
  UrlHandle handle = Parse(url);
  if (handle == nullptr) return std::string(url);
  Curl().url_set(handle.get(), CURLUPART_USER, nullptr, 0);
  Curl().url_set(handle.get(), CURLUPART_PASSWORD, nullptr, 0);
  std::string text = Part(handle.get(), CURLUPART_URL);
  return text.empty() ? std::string(url) : text;
}

std::string DescribeResponse(const HttpResponse& response) {
  if (response.status == 0) return response.failure;
  std::string text = "the server answered " + std::to_string(response.status);
  if (!response.reason.empty()) text += " " + response.reason;
  return text;
}

std::string PercentEncode(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isalnum(byte) != 0 || c == '-' || c == '.' || c == '_' || c == '~') {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

std::string ResolveUrl(std::string_view base, std::string_view reference) {
  // A multistatus answer names thousands of resources by their paths: those need no parser.
  if (IsPlainPath(reference) && base.find_first_of("?#") == std::string_view::npos) {
    const std::string_view origin = OriginOf(base);
    const auto normal = [](char c) {
      return c != '@' && std::isupper(static_cast<unsigned char>(c)) == 0;
    };
    if (!origin.empty() && std::all_of(origin.begin(), origin.end(), normal))
      return std::string(origin) + std::string(reference);
  }
  UrlHandle handle = Parse(base);
  if (handle == nullptr) return std::string(reference);
  const std::string text(reference);
  if (Curl().url_set(handle.get(), CURLUPART_URL, text.c_str(), 0) != CURLUE_OK) return text;
  return Part(handle.get(), CURLUPART_URL);
}

bool SameOrigin(std::string_view url, std::string_view other) {
  UrlHandle a = Parse(url);
  UrlHandle b = Parse(other);
  if (a == nullptr || b == nullptr) return false;
  for (const CURLUPart part : {CURLUPART_SCHEME, CURLUPART_HOST}) {
    if (Lower(Part(a.get(), part)) != Lower(Part(b.get(), part))) return false;
  }
  return Part(a.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT) ==
         Part(b.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
}

struct HttpSession::Impl {
  ServerSettings settings;
  MultiHandle multi;

  std::unique_ptr<Transfer> Start(const HttpRequest& request, size_t index) {
    auto transfer = std::make_unique<Transfer>();
    transfer->index = index;
    transfer->easy.reset(Curl().easy_init());
    CURL* easy = transfer->easy.get();
    if (easy == nullptr) return nullptr;
    transfer->body = request.body;
    for (const auto& [name, value] : request.headers) {
      const std::string line = name + ": " + value;
      curl_slist* longer = Curl().slist_append(transfer->headers.get(), line.c_str());
      if (longer == nullptr) return nullptr;
      (void)transfer->headers.release();
      transfer->headers.reset(longer);
    }
    // No "Expect: 100-continue" round trip before a body.
    curl_slist* longer = Curl().slist_append(transfer->headers.get(), "Expect:");
    if (longer == nullptr) return nullptr;
    (void)transfer->headers.release();
    transfer->headers.reset(longer);

    Curl().easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    Curl().easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    Curl().easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    Curl().easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    Curl().easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    if (!transfer->body.empty() || request.method == "PUT") {
      Curl().easy_setopt(easy, CURLOPT_POSTFIELDS, transfer->body.data());
      Curl().easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(transfer->body.size()));
    }
    Curl().easy_setopt(easy, CURLOPT_HTTPHEADER, transfer->headers.get());
    Curl().easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    Curl().easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
    Curl().easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    Curl().easy_setopt(easy, CURLOPT_HEADERDATA, transfer.get());
    Curl().easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->error);
    Curl().easy_setopt(easy, CURLOPT_USERAGENT, "Feriant/2.0");
    Curl().easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_2TLS));
    Curl().easy_setopt(easy, CURLOPT_PIPEWAIT, 1L);
    Curl().easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, settings.connect_timeout_seconds);
    Curl().easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    Curl().easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, settings.stall_timeout_seconds);
    Curl().easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    Curl().easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!settings.ca_file.empty())
      Curl().easy_setopt(easy, CURLOPT_CAINFO, settings.ca_file.c_str());
    if (!settings.user.empty()) {
      Curl().easy_setopt(easy, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
      Curl().easy_setopt(easy, CURLOPT_USERNAME, settings.user.c_str());
      Curl().easy_setopt(easy, CURLOPT_PASSWORD, settings.password.c_str());
    }
    Curl().easy_setopt(easy, CURLOPT_PRIVATE, transfer.get());
    if (Curl().multi_add_handle(multi.get(), easy) != CURLM_OK) return nullptr;
    return transfer;
  }

  // Ends `transfer`, filling its answer from libcurl's result `code`.
  void Finish(Transfer& transfer, CURLcode code) {
    Curl().multi_remove_handle(multi.get(), transfer.easy.get());
    if (code != CURLE_OK) {
      transfer.response.status = 0;
      transfer.response.failure = transfer.error[0] != '\0'
                                      ? std::string(transfer.error)
                                      : std::string(Curl().easy_strerror(code));
      return;
    }
    long status = 0;
    Curl().easy_getinfo(transfer.easy.get(), CURLINFO_RESPONSE_CODE, &status);
    transfer.response.status = status;
  }
};

HttpSession::HttpSession(ServerSettings settings) : impl_(std::make_unique<Impl>()) {
  impl_->settings = std::move(settings);
  impl_->settings.max_in_flight = std::max<size_t>(1, impl_->settings.max_in_flight);
  if (CurlLoaded()) impl_->multi.reset(Curl().multi_init());
  if (impl_->multi != nullptr) {
    CURLM* multi = impl_->multi.get();
    Curl().multi_setopt(multi, CURLMOPT_PIPELINING, static_cast<long>(CURLPIPE_MULTIPLEX));
    const auto connections = static_cast<long>(impl_->settings.max_in_flight);
    Curl().multi_setopt(multi, CURLMOPT_MAX_HOST_CONNECTIONS, connections);
    Curl().multi_setopt(multi, CURLMOPT_MAXCONNECTS, connections);
  }
}

HttpSession::~HttpSession() = default;

HttpResponse HttpSession::Send(HttpRequest request, std::string* final_url) {
  for (int redirects = 0;; ++redirects) {
    HttpResponse answer;
    SendAll(
        {request}, [&](size_t, HttpResponse response) { answer = std::move(response); },
        [] { return true; });
    const bool redirect = answer.status == 301 || answer.status == 302 || answer.status == 303 ||
                          answer.status == 307 || answer.status == 308;
    if (!redirect || answer.location.empty()) {
      if (final_url != nullptr) *final_url = request.url;
      return answer;
    }
    const std::string target = ResolveUrl(request.url, answer.location);
    if (!SameOrigin(request.url, target)) {
      answer.status = 0;
      answer.failure = "the server sends it to " + UrlWithoutCredentials(target) +
                       ", another server or scheme, which is not followed";
      return answer;
    }
    if (redirects == kMaxRedirects) {
      answer.status = 0;
      answer.failure = "the server redirects more than " + std::to_string(kMaxRedirects) + " times";
      return answer;
    }
    request.url = target;
  }
}

size_t HttpSession::SendAll(const std::vector<HttpRequest>& requests,
                            const std::function<void(size_t, HttpResponse)>& done,
                            const std::function<bool()>& proceed) {
  CURLM* multi = impl_->multi.get();
  std::vector<std::unique_ptr<Transfer>> in_flight;
  size_t next = 0;
  size_t sent = 0;
  bool stopped = false;
  const auto fill = [&] {
    while (!stopped && next < requests.size() && in_flight.size() < impl_->settings.max_in_flight) {
      if (!proceed()) {
        stopped = true;
        return;
      }
      std::unique_ptr<Transfer> transfer =
          multi == nullptr ? nullptr : impl_->Start(requests[next], next);
      if (transfer == nullptr) {
        HttpResponse failed;
        failed.failure = CurlLoaded() ? "the request could not be prepared" : HttpUnavailable();
        done(next++, std::move(failed));
        continue;
      }
      in_flight.push_back(std::move(transfer));
      ++next;
      ++sent;
    }
  };
  fill();
  while (!in_flight.empty()) {
    int running = 0;
    Curl().multi_perform(multi, &running);
    int queued = 0;
    while (CURLMsg* message = Curl().multi_info_read(multi, &queued)) {
      if (message->msg != CURLMSG_DONE) continue;
      Transfer* finished = nullptr;
      Curl().easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &finished);
      const CURLcode code = message->data.result;
      const auto it = std::find_if(in_flight.begin(), in_flight.end(), [&](const auto& transfer) {
        return transfer.get() == finished;
      });
      if (it == in_flight.end()) continue;
      std::unique_ptr<Transfer> transfer = std::move(*it);
      in_flight.erase(it);
      impl_->Finish(*transfer, code);
      done(transfer->index, std::move(transfer->response));
    }
    fill();
    if (!in_flight.empty()) Curl().multi_poll(multi, nullptr, 0, 200, nullptr);
  }
  return sent;
}

}  // namespace feriant::outlook
