// Validates SARIF logs against the SARIF 2.1.0 JSON schema (a draft-04 schema, as the SARIF
// SDK's package ships it), with ajv. Prints "FILE: valid SARIF 2.1.0" for each valid log, and
// every schema error of an invalid one; exits 1 when any log is invalid.
//
//   node validate_sarif.cjs LOG.sarif...
"use strict";
const fs = require("fs");
const path = require("path");
const Ajv = require("ajv");

const schemaFile = path.join(
    path.dirname(require.resolve("@microsoft/jest-sarif/package.json")),
    "lib", "schemas", "sarif-2.1.0-rtm.5.json");
const schema = JSON.parse(fs.readFileSync(schemaFile, "utf8"));

const ajv = new Ajv({ schemaId: "id", allErrors: true, verbose: false });
ajv.addMetaSchema(require("ajv/lib/refs/json-schema-draft-04.json"));
const validate = ajv.compile(schema);

let failed = false;
for (const file of process.argv.slice(2)) {
    const log = JSON.parse(fs.readFileSync(file, "utf8"));
    if (log.version !== "2.1.0") {
        console.log(`${file}: version is ${log.version}, not 2.1.0`);
        failed = true;
    } else if (validate(log)) {
        console.log(`${file}: valid SARIF 2.1.0`);
    } else {
        failed = true;
        for (const error of validate.errors) {
            console.log(`${file}: ${error.dataPath || "/"} ${error.message}`);
        }
    }
}
process.exit(failed ? 1 : 0);
