// Runs before the module's own code. The page (index.html) has already
// begun compiling the module and fetching the record; the module is
// instantiated from that compilation, and the page starts (page.js) once
// both are there.
Module['instantiateWasm'] = (imports, receive) => {
  velmoraEarly.module.then((module) => {
    performance.mark('velmora-compiled');
    return WebAssembly.instantiate(module, imports);
  }).then((instance) => receive(instance));
  return {};
};
Module['onRuntimeInitialized'] = () => velmoraEarly.record.then(velmoraStart);
