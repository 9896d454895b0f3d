#!/bin/sh
# The template's ADMX and both ADML files against Microsoft's published ADMX schema, with the
# namespace the Group Policy editor reads in place of the schema's own, and its patterns' "\$"
# (.NET's escape, unknown to XML Schema, where "$" is a plain character) written "$".
# usage: validate.sh <schema folder> <PolicyDefinitions folder> <scratch folder>
set -eu
. "$(dirname "$0")/../packaging/checks.sh"
need_tools xmllint
schema=$1 policies=$2 work=$3
rm -rf "$work"
mkdir -p "$work"
for xsd in PolicyDefinitionFiles.xsd PolicyDefinitions.xsd BaseTypes.xsd; do
  sed -e 's|http://www.microsoft.com/GroupPolicy/PolicyDefinitions|http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions|g' \
    -e 's|\\\$|$|g' "$schema/$xsd" >"$work/$xsd"
done
for file in QorviAgent.admx de-DE/QorviAgent.adml en-US/QorviAgent.adml; do
  xmllint --noout --schema "$work/PolicyDefinitionFiles.xsd" "$policies/$file" 2>"$work/errors" ||
    fail "$file: $(cat "$work/errors")"
done
exit $status
