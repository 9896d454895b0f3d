#include "key_tree.h"

#include "key_names.h"

namespace marovel::standin {

const char* const kKeyTreeSchema = R"sql(
  CREATE TABLE keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,
    name BLOB NOT NULL,
    folded BLOB NOT NULL,
    UNIQUE(parent, folded));
  CREATE TABLE key_values(
    key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,
    name BLOB NOT NULL,
    folded BLOB NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, folded)) WITHOUT ROWID;
  INSERT INTO keys(id, parent, name, folded) VALUES(1, NULL, x'', x'');
)sql";

namespace {

StoredValue storedValueAt(const Statement& row) {
  return StoredValue{row.text(0), static_cast<std::uint32_t>(row.integer(1)), row.bytes(2)};
}

}  // namespace

bool KeyTree::exists(KeyId key) {
  Statement query(connection_, "SELECT 1 FROM keys WHERE id = ?");
  return query.bind(1, key).step();
}

void KeyTree::requireExisting(KeyId key) {
  // The root cannot be deleted: no need to look.
  if (key != kRootKey && !exists(key)) throw StoreError(ERROR_KEY_DELETED, "the key has been deleted");
}

std::optional<KeyId> KeyTree::subkey(KeyId parent, std::string_view name, std::string* storedName) {
  Statement query(connection_, storedName ? "SELECT id, name FROM keys WHERE parent = ? AND folded = ?"
                                          : "SELECT id FROM keys WHERE parent = ? AND folded = ?");
  if (!query.bind(1, parent).bind(2, foldedName(name)).step()) return std::nullopt;
  if (storedName != nullptr) *storedName = query.text(1);
  return query.integer(0);
}

std::optional<KeyTree::FoundKey> KeyTree::find(KeyId start, std::string_view path, bool withStoredPath) {
  auto components = keyPathComponents(path);
  requireExisting(start);
  FoundKey found{start, {}};
  for (auto component : components) {
    std::string storedName;
    auto next = subkey(found.id, component, withStoredPath ? &storedName : nullptr);
    if (!next) return std::nullopt;
    found.id = *next;
    if (!withStoredPath) continue;
    if (!found.storedPath.empty()) found.storedPath += '\\';
    found.storedPath += storedName;
  }
  return found;
}

std::size_t KeyTree::depth(KeyId key) {
  if (key == kRootKey) return 0;
  Statement query(connection_,
                  "WITH RECURSIVE up(id, depth) AS (SELECT parent, 1 FROM keys WHERE id = ? "
                  "UNION ALL SELECT keys.parent, up.depth + 1 FROM keys JOIN up ON keys.id = up.id "
                  "WHERE keys.parent IS NOT NULL) SELECT max(depth) FROM up");
  query.bind(1, key).step();
  return static_cast<std::size_t>(query.integer(0));
}

KeyTree::CreatedKey KeyTree::create(KeyId start, std::string_view path) {
  auto components = keyPathComponents(path);
  requireExisting(start);
  // Windows's limit; deeper keys would only make every walk of the tree slower.
  if (components.size() > kMaxKeyDepth || depth(start) + components.size() > kMaxKeyDepth) {
    throw StoreError(ERROR_INVALID_PARAMETER, "key deeper than " + std::to_string(kMaxKeyDepth) + " levels");
  }
  CreatedKey created{start, false};
  for (auto component : components) {
    if (auto next = subkey(created.id, component, nullptr)) {
      created = {*next, false};
      continue;
    }
    Statement insert(connection_, "INSERT INTO keys(parent, name, folded) VALUES(?, ?, ?)");
    insert.bind(1, created.id).bind(2, component).bind(3, foldedName(component)).step();
    created = {sqlite3_last_insert_rowid(connection_.handle()), true};
  }
  return created;
}

void KeyTree::remove(KeyId key) {
  if (key == kRootKey) throw StoreError(ERROR_ACCESS_DENIED, "HKEY_LOCAL_MACHINE cannot be deleted");
  Statement(connection_, "DELETE FROM keys WHERE id = ?").bind(1, key).step();
}

std::vector<std::string> KeyTree::subkeyNames(KeyId key) {
  std::vector<std::string> names;
  for (Subkey& subkey : subkeys(key)) names.push_back(std::move(subkey.name));
  return names;
}

std::vector<KeyTree::Subkey> KeyTree::subkeys(KeyId key) {
  Statement query(connection_, "SELECT id, name FROM keys WHERE parent = ? ORDER BY folded");
  query.bind(1, key);
  std::vector<Subkey> found;
  while (query.step()) found.push_back({query.integer(0), query.text(1)});
  return found;
}

std::optional<StoredValue> KeyTree::value(KeyId key, std::string_view name) {
  Statement query(connection_, "SELECT name, type, data FROM key_values WHERE key = ? AND folded = ?");
  if (!query.bind(1, key).bind(2, foldedName(name)).step()) return std::nullopt;
  return storedValueAt(query);
}

std::vector<StoredValue> KeyTree::values(KeyId key) {
  Statement query(connection_, "SELECT name, type, data FROM key_values WHERE key = ? ORDER BY folded");
  query.bind(1, key);
  std::vector<StoredValue> found;
  while (query.step()) found.push_back(storedValueAt(query));
  return found;
}

void KeyTree::setValue(KeyId key, std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) {
  if (name.size() > kMaxValueNameLength) throw StoreError(ERROR_INVALID_PARAMETER, "value name too long");
  Statement upsert(connection_,
                   "INSERT INTO key_values(key, name, folded, type, data) VALUES(?, ?, ?, ?, ?) "
                   "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
  upsert.bind(1, key).bind(2, name).bind(3, foldedName(name)).bind(4, static_cast<std::int64_t>(type)).bind(5, data);
  upsert.step();
}

bool KeyTree::deleteValue(KeyId key, std::string_view name) {
  Statement erase(connection_, "DELETE FROM key_values WHERE key = ? AND folded = ?");
  erase.bind(1, key).bind(2, foldedName(name)).step();
  return sqlite3_changes(connection_.handle()) > 0;
}

}  // namespace marovel::standin
