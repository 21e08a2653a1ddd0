#include "hosts/outlook/caldav_xml.h"

#include <pugixml.hpp>

#include <algorithm>
#include <utility>

namespace feriant::outlook {
namespace {

// The namespace bound to `prefix` ("" for the default) where `node` stands.
std::string_view NamespaceOf(pugi::xml_node node, std::string_view prefix) {
  for (pugi::xml_node at = node; at; at = at.parent()) {
    for (pugi::xml_attribute attribute : at.attributes()) {
      const std::string_view name = attribute.name();
      if (prefix.empty() ? name == "xmlns"
                         : name.size() == prefix.size() + 6 && name.starts_with("xmlns:") &&
                               name.substr(6) == prefix) {
        return attribute.value();
      }
    }
  }
  return {};
}

// An element's prefix and local name.
std::pair<std::string_view, std::string_view> SplitName(pugi::xml_node node) {
  const std::string_view name = node.name();
  const size_t colon = name.find(':');
  if (colon == std::string_view::npos) return {{}, name};
  return {name.substr(0, colon), name.substr(colon + 1)};
}

std::string ClarkName(pugi::xml_node node) {
  const auto [prefix, local] = SplitName(node);
  return "{" + std::string(NamespaceOf(node, prefix)) + "}" + std::string(local);
}

// Compares the local name first: most elements are told apart without their namespace.
bool Is(pugi::xml_node node, std::string_view ns, std::string_view local) {
  if (node.type() != pugi::node_element) return false;
  const auto [prefix, name] = SplitName(node);
  return name == local && NamespaceOf(node, prefix) == ns;
}

// Text and CDATA children joined: calendar data may come in several pieces.
std::string TextOf(pugi::xml_node node) {
  std::string text;
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
      text += child.value();
  }
  return text;
}

std::string Trimmed(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.back()))
    text.pop_back();
  const auto first = std::find_if_not(text.begin(), text.end(), blank);
  text.erase(text.begin(), first);
  return text;
}

// Whether a {DAV:}status text says 2xx ("HTTP/1.1 200 OK").
bool Succeeded(std::string_view status) {
  const size_t space = status.find(' ');
  return space != std::string_view::npos && space + 1 < status.size() && status[space + 1] == '2';
}

}  // namespace

const DavProperty* DavResponse::Find(std::string_view name) const {
  for (const DavProperty& property : properties) {
    if (property.name == name) return &property;
  }
  return nullptr;
}

DavProperty* DavResponse::Find(std::string_view name) {
  return const_cast<DavProperty*>(std::as_const(*this).Find(name));
}

Result<std::vector<DavResponse>> ParseMultistatus(std::string_view xml) {
  pugi::xml_document document;
  // Without end-of-line normalisation: calendar data keeps its CRLF line endings.
  const unsigned options = pugi::parse_default & ~pugi::parse_eol;
  const pugi::xml_parse_result parsed = document.load_buffer(xml.data(), xml.size(), options);
  if (!parsed) {
    return Error{0,
                 std::string("the answer is not XML (") + parsed.description() + ")",
                 {},
                 ErrorKind::kDamaged};
  }
  const pugi::xml_node root = document.document_element();
  if (!Is(root, kDavNamespace, "multistatus")) {
    return Error{0, "the answer is not a WebDAV multistatus", {}, ErrorKind::kDamaged};
  }
  std::vector<DavResponse> responses;
  for (pugi::xml_node node : root.children()) {
    if (!Is(node, kDavNamespace, "response")) continue;
    DavResponse response;
    for (pugi::xml_node part : node.children()) {
      if (Is(part, kDavNamespace, "href")) response.href = Trimmed(TextOf(part));
      if (!Is(part, kDavNamespace, "propstat")) continue;
      bool found = true;
      for (pugi::xml_node status : part.children()) {
        if (Is(status, kDavNamespace, "status")) found = Succeeded(Trimmed(TextOf(status)));
      }
      if (!found) continue;
      for (pugi::xml_node prop : part.children()) {
        if (!Is(prop, kDavNamespace, "prop")) continue;
        for (pugi::xml_node element : prop.children()) {
          if (element.type() != pugi::node_element) continue;
          DavProperty property;
          property.name = ClarkName(element);
          property.text = TextOf(element);
          for (pugi::xml_node child : element.children()) {
            if (child.type() != pugi::node_element) continue;
            property.children.push_back(ClarkName(child));
            if (Is(child, kDavNamespace, "href")) property.hrefs.push_back(Trimmed(TextOf(child)));
            if (Is(child, kCalDavNamespace, "comp"))
              property.component_names.push_back(child.attribute("name").value());
          }
          response.properties.push_back(std::move(property));
        }
      }
    }
    responses.push_back(std::move(response));
  }
  return responses;
}

}  // namespace feriant::outlook
