// The kept contents of the change history: versions/<id>, each stored once.
#pragma once

#include <string>
#include <unordered_set>

class VersionStore {
 public:
  // The store in `folder` (".../versions"), which Prepare creates.
  explicit VersionStore(std::string folder);

  // Creates the folder (mode 0700) when missing and clears away a version
  // half stored by a killed request. False with errno set when it cannot.
  bool Prepare();
  bool Has(const std::string& id) const;
  // Keeps the file at `path`, whose content has `id`, under a name of its own in
  // the store that takes its id at Commit: a link when `linkable` (the file is
  // about to leave its name), else a synced copy. False with errno set.
  bool Stage(const std::string& path, const std::string& id, bool linkable);
  // Gives the staged version its id and makes that durable.
  bool Commit();
  // Removes a staged version that was not needed after all.
  void Discard();
  // The content of version `id`; false when it is not kept.
  bool Read(const std::string& id, std::string& content) const;
  // Removes every version not in `kept`.
  void RemoveAllBut(const std::unordered_set<std::string>& kept) const;
  // The size in bytes of version `id`; 0 when it is not kept.
  long long SizeOf(const std::string& id) const;

 private:
  std::string PathOf(const std::string& id) const;

  std::string folder_;
  std::string stagedId_;
};
